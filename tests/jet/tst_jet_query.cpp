// The listing's query and the family it belongs to: the order of designations in French,
// without regard to case, equal designations in stored order; names qualified or not, in
// any case; and clear errors for everything outside the family.

#include "CatalogueFixtures.h"

#include <QtTest/QtTest>

class QueryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void listingQueryWordForWord();
    void order_data();
    void order();
    void fieldsAsNamed_data();
    void fieldsAsNamed();
    void unsupported_data();
    void unsupported();
    void queryFindingNothing();
    void tableNameWithSpacesInBrackets();

private:
    CatalogueFiles m_files;
    std::shared_ptr<jet::Database> m_database;
};

// Designations chosen to catch a byte-wise or case-sensitive sort (lower case after upper
// case), accents sorted apart from their letter (É after Z), and an unstable sort (the
// three "Crayon" keep their stored order: refs C3, C1, C2).
void QueryTest::initTestCase()
{
    const QString file =
        m_files.write(QStringLiteral("listing.mdb"), ProductHeader + QStringLiteral("B1\tBloc-notes\t2\t2.95\n"
                                                                                    "C3\tCrayon\t30\t0.80\n"
                                                                                    "A1\tagrafeuse\t1\t12.50\n"
                                                                                    "Z1\tzèbre en peluche\t1\t19\n"
                                                                                    "E1\tÉcrou M6\t100\t0.10\n"
                                                                                    "C1\tcrayon\t10\t0.85\n"
                                                                                    "E2\tecrou M5\t50\t0.09\n"
                                                                                    "N1\tNULL\t4\t1\n"
                                                                                    "C2\tCRAYON\t20\t0.90\n"
                                                                                    "E3\tÉcran\t1\t150\n"
                                                                                    "B2\tbloc-Notes\t5\t3.10\n"));
    m_database = jet::DBEngine::OpenDatabase(file);
}

void QueryTest::listingQueryWordForWord()
{
    const auto listing = m_database->OpenRecordset(ListingQuery);
    QCOMPARE(listing->RecordCount(), 11);
    // Positioned on its first record without a move: null designations come first.
    QCOMPARE(listing->Fields()[0].Value(), text(u"N1"));
    QCOMPARE(remainingTexts(*listing, 1),
             QStringList({QStringLiteral("NULL"), QStringLiteral("agrafeuse"), QStringLiteral("Bloc-notes"),
                          QStringLiteral("bloc-Notes"), QStringLiteral("Crayon"), QStringLiteral("crayon"),
                          QStringLiteral("CRAYON"), QStringLiteral("Écran"), QStringLiteral("ecrou M5"),
                          QStringLiteral("Écrou M6"), QStringLiteral("zèbre en peluche")}));
}

void QueryTest::order_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("refs");
    QTest::newRow("ascending by default")
        << QStringLiteral("select ref from Produit order by desi")
        << QStringList{"N1", "A1", "B1", "B2", "C3", "C1", "C2", "E3", "E2", "E1", "Z1"};
    QTest::newRow("descending: equal designations still in stored order, null last")
        << QStringLiteral("SELECT ref FROM produit ORDER BY DESI DESC")
        << QStringList{"Z1", "E1", "E2", "E3", "C3", "C1", "C2", "B1", "B2", "A1", "N1"};
    QTest::newRow("by a number") << QStringLiteral("select ref from Produit order by qté desc")
                                 << QStringList{"E1", "E2", "C3", "C2", "C1", "B2", "N1", "B1", "A1", "Z1", "E3"};
    QTest::newRow("by an amount") << QStringLiteral("select ref from Produit order by prixvente asc")
                                  << QStringList{"E2", "E1", "C3", "C1", "C2", "N1", "B1", "B2", "A1", "Z1", "E3"};
    QTest::newRow("no order: stored order")
        << QStringLiteral("select ref from Produit")
        << QStringList{"B1", "C3", "A1", "Z1", "E1", "C1", "E2", "N1", "C2", "E3", "B2"};
    QTest::newRow("text references sort as text")
        << QStringLiteral("select ref from Produit order by ref;")
        << QStringList{"A1", "B1", "B2", "C1", "C2", "C3", "E1", "E2", "E3", "N1", "Z1"};
}

void QueryTest::order()
{
    QFETCH(QString, query);
    QFETCH(QStringList, refs);
    const auto records = m_database->OpenRecordset(query);
    QCOMPARE(remainingTexts(*records, 0), refs);
}

void QueryTest::fieldsAsNamed_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("qualified") << ListingQuery << QStringList{"ref", "desi", "qté", "prixvente"};
    QTest::newRow("unqualified, other order")
        << QStringLiteral("select prixvente, ref from Produit") << QStringList{"prixvente", "ref"};
    QTest::newRow("any case") << QStringLiteral(
                                     "Select PRODUIT.REF , produit.Desi From PRODUIT Order By PRODUIT.DESI Asc")
                              << QStringList{"ref", "desi"};
    QTest::newRow("brackets") << QStringLiteral("select [Produit].[qté], [desi] from [Produit]")
                              << QStringList{"qté", "desi"};
    QTest::newRow("accent in a decomposed form")
        << QStringLiteral("select qte\u0301 from Produit") << QStringList{"qté"};
    QTest::newRow("spread over lines") << QStringLiteral("select\n\tref,\n\tdesi\nfrom Produit\norder by desi asc\n")
                                       << QStringList{"ref", "desi"};
    QTest::newRow("a field twice") << QStringLiteral("select ref, ref from Produit") << QStringList{"ref", "ref"};
}

void QueryTest::fieldsAsNamed()
{
    QFETCH(QString, query);
    QFETCH(QStringList, names);
    const auto records = m_database->OpenRecordset(query);
    QStringList found;
    for (std::int16_t i = 0; i < records->Fields().Count(); ++i)
        found.append(records->Fields()[i].Name());
    QCOMPARE(found, names);
    QCOMPARE(records->RecordCount(), 11);
}

void QueryTest::unsupported_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("named");  // what the message must name
    QTest::newRow("where") << QStringLiteral("select ref from Produit where qté > 1") << 3251
                           << QStringLiteral("where");
    QTest::newRow("star") << QStringLiteral("select * from Produit") << 3251 << QStringLiteral("*");
    QTest::newRow("function") << QStringLiteral("select count(ref) from Produit") << 3251
                              << QStringLiteral("fonctions");
    QTest::newRow("expression") << QStringLiteral("select qté * prixvente from Produit") << 3251
                                << QStringLiteral("expressions");
    QTest::newRow("alias") << QStringLiteral("select ref as r from Produit") << 3251 << QStringLiteral("alias");
    QTest::newRow("distinct") << QStringLiteral("select distinct ref from Produit") << 3251
                              << QStringLiteral("distinct");
    QTest::newRow("two tables") << QStringLiteral("select ref from Produit, Autre") << 3251
                                << QStringLiteral("plusieurs tables");
    QTest::newRow("join") << QStringLiteral("select ref from Produit inner join Autre on a = b") << 3251
                          << QStringLiteral("jointures");
    QTest::newRow("two sort fields") << QStringLiteral("select ref from Produit order by desi, ref") << 3251
                                     << QStringLiteral("plusieurs champs");
    QTest::newRow("group by") << QStringLiteral("select ref from Produit group by ref") << 3251
                              << QStringLiteral("group");
    QTest::newRow("writing") << QStringLiteral("delete from Produit") << 3251 << QStringLiteral("delete");
    QTest::newRow("constant") << QStringLiteral("select 1 from Produit") << 3251 << QStringLiteral("constantes");
    QTest::newRow("missing from") << QStringLiteral("select ref Produit") << 3141 << QStringLiteral("from");
    QTest::newRow("nothing selected") << QStringLiteral("select from Produit") << 3141 << QStringLiteral("from");
    QTest::newRow("no table") << QStringLiteral("select ref from") << 3131 << QStringLiteral("table");
    QTest::newRow("order without by") << QStringLiteral("select ref from Produit order desi") << 3138
                                      << QStringLiteral("by");
    QTest::newRow("trailing words") << QStringLiteral("select ref from Produit order by desi asc ref") << 3141
                                    << QStringLiteral("ref");
    QTest::newRow("unclosed bracket") << QStringLiteral("select [ref from Produit") << 3141 << QStringLiteral("[");
    QTest::newRow("unknown field") << QStringLiteral("select ref, prix from Produit") << 3061 << QStringLiteral("prix");
    QTest::newRow("field without its accent")
        << QStringLiteral("select qte from Produit") << 3061 << QStringLiteral("qte");
    QTest::newRow("unknown sort field") << QStringLiteral("select ref from Produit order by nom") << 3061
                                        << QStringLiteral("nom");
    QTest::newRow("other table's field") << QStringLiteral("select Client.ref from Produit") << 3061
                                         << QStringLiteral("Client.ref");
    QTest::newRow("unknown table") << QStringLiteral("select ref from Produits") << 3078 << QStringLiteral("Produits");
}

void QueryTest::unsupported()
{
    QFETCH(QString, query);
    QFETCH(int, number);
    QFETCH(QString, named);
    const EngineFailure failure = failureOf([&] { m_database->OpenRecordset(query); });
    QCOMPARE(failure.number, number);
    QVERIFY2(failure.description.contains(named, Qt::CaseInsensitive), qPrintable(failure.description));
}

void QueryTest::queryFindingNothing()
{
    const QString file = m_files.write(QStringLiteral("none.mdb"), ProductHeader);
    const auto listing = jet::DBEngine::OpenDatabase(file)->OpenRecordset(ListingQuery);
    QCOMPARE(listing->RecordCount(), 0);
    QVERIFY(listing->Eof());
    QCOMPARE(failureOf([&] { listing->Fields()[0].Value(); }).number, 3021);
}

void QueryTest::tableNameWithSpacesInBrackets()
{
    const QString file = m_files.write(QStringLiteral("spaces.mdb"),
                                       QStringLiteral("n° de série:TEXT(10)\tprix unitaire:MONEY\nS2\t2\nS1\t1\n"),
                                       WriterOptions{QStringLiteral("Pièces détachées"), false, {}, {}});
    const auto records = jet::DBEngine::OpenDatabase(file)->OpenRecordset(
        QStringLiteral("select [n° de série] from [Pièces détachées] order by [prix unitaire]"));
    QCOMPARE(remainingTexts(*records, 0), QStringList({QStringLiteral("S1"), QStringLiteral("S2")}));
}

QTEST_GUILESS_MAIN(QueryTest)
#include "tst_jet_query.moc"
