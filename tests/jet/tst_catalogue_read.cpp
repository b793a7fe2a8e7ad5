// fiche-catalogue's read side, run as a user runs it: `dump` gives back what `create` was
// given and its output makes a copy with `create`; `query` and `seek` show what the
// program's query and look-up find; `check` says in French whether a file can serve as the
// catalogue, with exit status 0, 1 or 2; a row damaged in place is named, and the others
// read, with exit status 3.

#include "CatalogueFixtures.h"
#include "RawJetFile.h"

#include <QFile>
#include <QProcess>
#include <QtTest/QtTest>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(FICHE_CATALOGUE_TOOL), arguments);
    ToolRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Written exactly as `dump` writes values: amounts with four decimals, doubles in their
// shortest form, escapes for tab, line feed and backslash.
const QString EveryType = QStringLiteral(
    "ref:TEXT(20)\tdesi:TEXT(100)\tqté:INT\tprixvente:MONEY\tstock:LONG\tpoids:DOUBLE\n"
    "CAH-A4\tCahier « Élégance » à spirale\t25\t2.9500\t100000\t0.25\n"
    "ŒIL-1\tŒillets — boîte de 100 €\t-32768\t-922337203685477.5808\t-2147483648\t-0\n"
    "TAB\tTab\\there, line\\nfeed, back\\\\slash\t32767\t922337203685477.5807\t2147483647\t1.7976931348623157e+308\n"
    "VIDE\t\t0\t0.0000\t0\t5e-324\n"
    "NUL\tNULL\tNULL\tNULL\tNULL\tNULL\n"
    "SOL\tclef 𝄞 de sol\t1\t0.0001\t1\t3.141592653589793\n");

QString catalogueText(const QStringList &lines)
{
    return ProductHeader + lines.join(u'\n') + u'\n';
}

}  // namespace

class CatalogueReadTest : public QObject {
    Q_OBJECT

private slots:
    void dumpGivesBackWhatCreateWasGiven();
    void createOfADumpCopiesTheCatalogue();
    void dumpLeavesDeletedRowsOut();
    void query();
    void seek_data();
    void seek();
    void failures_data();
    void failures();
    void check_data();
    void check();
    void checkOfAFileThatCannotBeRead();
    void checkOfARealAccessFile();
    void damagedRow_data();
    void damagedRow();

private:
    CatalogueFiles m_files;
};

void CatalogueReadTest::dumpGivesBackWhatCreateWasGiven()
{
    const QString file = m_files.write(QStringLiteral("types.mdb"), EveryType);
    const ToolRun dump = runTool({QStringLiteral("dump"), file});
    QCOMPARE(dump.exitCode, 0);
    QCOMPARE(dump.err, QString());
    QCOMPARE(dump.out, EveryType);
}

void CatalogueReadTest::createOfADumpCopiesTheCatalogue()
{
    const QString original = m_files.write(QStringLiteral("original.mdb"), EveryType);
    const ToolRun first = runTool({QStringLiteral("dump"), original});
    QFile text(m_files.path(QStringLiteral("dump.tsv")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write(first.out.toUtf8());
    text.close();
    const QString copy = m_files.path(QStringLiteral("copie.mdb"));
    const ToolRun create = runTool({QStringLiteral("create"), copy, text.fileName()});
    QCOMPARE(create.exitCode, 0);
    QCOMPARE(runTool({QStringLiteral("dump"), copy}).out, first.out);
}

void CatalogueReadTest::dumpLeavesDeletedRowsOut()
{
    const QString file = m_files.write(QStringLiteral("fates.mdb"),
                                       catalogueText({"A\ta\t1\t1", "B\tb\t2\t2", "C\tc\t3\t3", "D\td\t4\t4"}),
                                       WriterOptions{QStringLiteral("Produit"), true, {2}, {1}});
    QCOMPARE(runTool({QStringLiteral("dump"), file, QStringLiteral("Produit")}).out,
             catalogueText({"A\ta\t1\t1.0000", "C\tc\t3\t3.0000", "D\td\t4\t4.0000"}));
}

void CatalogueReadTest::query()
{
    const QString file =
        m_files.write(QStringLiteral("listing.mdb"),
                      catalogueText({"B1\tBloc-notes\t2\t2.95", "A1\tagrafeuse\t1\t12.5", "C1\tCrayon\t3\t0.8"}));
    const ToolRun run = runTool({QStringLiteral("query"), file, ListingQuery});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out,
             catalogueText({"A1\tagrafeuse\t1\t12.5000", "B1\tBloc-notes\t2\t2.9500", "C1\tCrayon\t3\t0.8000"}));
    const ToolRun some =
        runTool({QStringLiteral("query"), file, QStringLiteral("select desi from produit order by prixvente desc")});
    QCOMPARE(some.out, QStringLiteral("desi:TEXT(60)\nagrafeuse\nBloc-notes\nCrayon\n"));
}

void CatalogueReadTest::seek_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::newRow("found") << QStringLiteral("X1") << 0 << catalogueText({"X1\tBloc-notes\t2\t2.9500"});
    QTest::newRow("found whatever the case")
        << QStringLiteral("x1") << 0 << catalogueText({"X1\tBloc-notes\t2\t2.9500"});
    QTest::newRow("not found")
        << QStringLiteral("X2") << 1
        << QStringLiteral(
               "Introuvable : aucun enregistrement de « Produit » n'a la clé « X2 » dans l'index « XREF ».\n");
}

void CatalogueReadTest::seek()
{
    QFETCH(QString, key);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    const QString file =
        m_files.write(QStringLiteral("seek.mdb"), catalogueText({"A1\tagrafeuse\t1\t12.5", "X1\tBloc-notes\t2\t2.95"}));
    const ToolRun run = runTool({QStringLiteral("seek"), file, QStringLiteral("Produit"), QStringLiteral("XREF"), key});
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, out);
}

void CatalogueReadTest::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << QStringList{"dump", "/nulle/part.mdb"}
                                  << QStringLiteral("Fichier introuvable : « /nulle/part.mdb »");
    QTest::newRow("missing table") << QStringList{"dump", "@", "Articles"}
                                   << QStringLiteral("ne trouve pas la table « Articles »");
    QTest::newRow("unsupported query") << QStringList{"query", "@", "select * from Produit"}
                                       << QStringLiteral("Requête non prise en charge");
    QTest::newRow("missing index") << QStringList{"seek", "@", "Produit", "XREF2", "A1"}
                                   << QStringLiteral("« XREF2 » n'est pas un index");
}

void CatalogueReadTest::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const QString file = m_files.write(QStringLiteral("fail.mdb"), catalogueText({"A1\tagrafeuse\t1\t12.5"}));
    arguments.replaceInStrings(QStringLiteral("@"), file);
    const ToolRun run = runTool(arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.out, QString());
}

void CatalogueReadTest::check_data()
{
    QTest::addColumn<QString>("tsv");
    QTest::addColumn<WriterOptions>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("said");
    const WriterOptions usual;
    const QString good = catalogueText({"A1\tagrafeuse\t1\t12.5", "B1\tBloc-notes\t2\t2.95"});
    QTest::newRow("usable") << good << usual << 0
                            << QStringList{"les champs sont dans l'ordre attendu", "l'index « XREF » porte sur « ref »",
                                           "chaque produit peut être listé et retrouvé", "peut servir de catalogue"};
    QTest::newRow("empty table") << ProductHeader << usual << 0 << QStringList{"la table est vide", "peut servir"};
    QTest::newRow("no table Produit") << good << WriterOptions{QStringLiteral("Articles"), true, {}, {}} << 1
                                      << QStringList{"pas de table « Produit »", "Tables du fichier : Articles",
                                                     "ne peut pas servir"};
    QTest::newRow("fields in another order")
        << QStringLiteral("desi:TEXT(50)\tref:TEXT(10)\tqté:INT\tprixvente:MONEY\nagrafeuse\tA1\t1\t1\n") << usual << 1
        << QStringList{"à la position 0, le champ « desi » au lieu de « ref »", "ne peut pas servir"};
    QTest::newRow("quantity as text")
        << QStringLiteral("ref:TEXT(10)\tdesi:TEXT(50)\tqté:TEXT(5)\tprixvente:MONEY\nA1\tagrafeuse\t1\t1\n") << usual
        << 1 << QStringList{"« qté » est de type texte de 5 caractères, il faut un nombre"};
    QTest::newRow("quantity without its accent")
        << QStringLiteral("ref:TEXT(10)\tdesi:TEXT(50)\tqte:INT\tprixvente:MONEY\nA1\tagrafeuse\t1\t1\n") << usual << 1
        << QStringList{"« qte » au lieu de « qté »", "la liste des produits ne peut pas se remplir", "(erreur 3061)"};
    QTest::newRow("price missing") << QStringLiteral("ref:TEXT(10)\tdesi:TEXT(50)\tqté:INT\nA1\tagrafeuse\t1\n")
                                   << usual << 1 << QStringList{"le champ « prixvente » manque"};
    QTest::newRow("no index") << good << WriterOptions{QStringLiteral("Produit"), false, {}, {}} << 1
                              << QStringList{"pas d'index « XREF »"};
    QTest::newRow("null reference") << catalogueText({"A1\tagrafeuse\t1\t12.5", "NULL\tsans référence\t2\t1"}) << usual
                                    << 1 << QStringList{"référence vide (Null)", "produit n° 2"};
    QTest::newRow("null quantity and null price")
        << catalogueText({"A1\tagrafeuse\tNULL\t12.5", "B1\tbloc\t1\tNULL", "C1\tcrayon\t1\t1"}) << usual << 1
        << QStringList{"quantité ou prix vide (Null), la liste des produits s'arrêtera sur ce produit (2)", "« A1 »",
                       "« B1 »"};
    QTest::newRow("references equal but for case")
        << catalogueText({"x1\tpremier\t1\t1", "B1\tbloc\t1\t1", "X1\tsecond\t1\t1"}) << usual << 0
        << QStringList{"Attention", "produit n° 3 (« X1 »), trouvé à sa place : produit n° 1 (« x1 »)", "peut servir"};
    QTest::newRow("deleted product with null reference")
        << catalogueText({"A1\tagrafeuse\t1\t12.5", "NULL\tsupprimé\t2\t1"})
        << WriterOptions{QStringLiteral("Produit"), true, {2}, {}} << 0 << QStringList{"1 produit(s)", "peut servir"};
}

void CatalogueReadTest::check()
{
    QFETCH(QString, tsv);
    QFETCH(WriterOptions, options);
    QFETCH(int, exitCode);
    QFETCH(QStringList, said);
    const QString file = m_files.write(QStringLiteral("check.mdb"), tsv, options);
    const ToolRun run = runTool({QStringLiteral("check"), file});
    QCOMPARE(run.exitCode, exitCode);
    for (const QString &phrase : said)
        QVERIFY2(run.out.contains(phrase), qPrintable(run.out));
}

void CatalogueReadTest::checkOfAFileThatCannotBeRead()
{
    QFile text(m_files.path(QStringLiteral("notes.txt")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("ref;desi\nA1;agrafeuse\n");
    text.close();
    const ToolRun run = runTool({QStringLiteral("check"), text.fileName()});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.out.contains(QStringLiteral("Le fichier ne peut pas être lu : Format de base de données non reconnu")),
             qPrintable(run.out));
    QCOMPARE(runTool({QStringLiteral("check"), m_files.path(QStringLiteral("absent.mdb"))}).exitCode, 2);
}

void CatalogueReadTest::checkOfARealAccessFile()
{
    const QString nwind = QStringLiteral(FICHE_CORPUS_DIR "/nwind.mdb");
    if (!QFile::exists(nwind))
        QSKIP("no corpus of real Access files: nwind.mdb is absent");
    const ToolRun run = runTool({QStringLiteral("check"), nwind});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.out.contains(QStringLiteral("pas de table « Produit »")), qPrintable(run.out));
    QVERIFY2(run.out.contains(QStringLiteral("Products")), qPrintable(run.out));
}

void CatalogueReadTest::damagedRow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("out");  // check: parts of what it writes; the others: all of it
    QTest::addColumn<QString>("err");
    // Products are numbered as stored, the row left out counted: "a1" is the third.
    QTest::newRow("check")
        << QStringList{"check", "@"}
        << QStringList{QStringLiteral("Attention : 1 ligne(s) de la table « Produit » illisible(s), le "
                                      "programme les laissera de côté et listera tous les autres "
                                      "produits :\n  - ligne 2 (page #, emplacement 1)\n"),
                       QStringLiteral("produit n° 3 (« a1 »), trouvé à sa place : produit n° 1 (« A1 »)"),
                       QStringLiteral("peut servir de catalogue au programme, sans ses lignes illisibles")}
        << QString();
    const QString named = QStringLiteral(" : 1 ligne(s) illisible(s) laissée(s) de côté, les autres sont écrites :\n"
                                         "  - ligne 2 (page #, emplacement 1)\n");
    const QStringList others{catalogueText({"A1\tagrafeuse\t1\t12.5000", "a1\tCrayon\t3\t0.8000"})};
    QTest::newRow("dump") << QStringList{"dump", "@"} << others << QStringLiteral("fiche-catalogue dump") + named;
    QTest::newRow("query") << QStringList{"query", "@", ListingQuery} << others
                           << QStringLiteral("fiche-catalogue query") + named;
}

// The second product's count of variable columns overwritten in place: the tool names its
// row, writes the others, and says so in its exit status.
void CatalogueReadTest::damagedRow()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, out);
    QFETCH(QString, err);
    QFile file(
        m_files.write(QStringLiteral("abime.mdb"),
                      catalogueText({"A1\tagrafeuse\t1\t12.5", "B1\tBloc-notes\t2\t2.95", "a1\tCrayon\t3\t0.8"})));
    QVERIFY(file.open(QIODevice::ReadWrite));
    RawJetFile raw(file.readAll());
    const RawJetFile::RowPlace second = raw.storedRows(raw.userTableDefinitionPage()).at(1);
    raw.put16(second.page, second.bytes.start + second.bytes.length - 3, 0x0100);
    file.seek(0);
    file.write(raw.bytes());
    file.close();

    arguments.replaceInStrings(QStringLiteral("@"), file.fileName());
    const ToolRun run = runTool(arguments);
    QCOMPARE(run.exitCode, 3);
    const QString page = QString::number(second.page);
    out.replaceInStrings(QStringLiteral("#"), page);
    if (arguments.front() == u"check") {
        for (const QString &part : out)
            QVERIFY2(run.out.contains(part), qPrintable(run.out));
    } else {
        QCOMPARE(run.out, out.join(QString()));
    }
    QCOMPARE(run.err, err.replace(u'#', page));
}

QTEST_GUILESS_MAIN(CatalogueReadTest)
#include "tst_catalogue_read.moc"
