// Field values read through the engine from files the writer wrote: every type exactly,
// nulls, accents, an empty table, a table whose stored order is not the catalogue's, rows
// the engine deleted or moved.

#include "CatalogueFixtures.h"

#include <QtTest/QtTest>
#include <cmath>
#include <limits>

namespace {

// One value per case: the column it is written in (as the writer's text), the value
// expected back.
struct ValueCase {
    const char *name;
    int column;  // 0 TEXT, 1 INT, 2 LONG, 3 DOUBLE, 4 MONEY
    QString written;
    MixedValue expected;
};

const QString AllTypesHeader = QStringLiteral("t:TEXT(60)\ti:INT\tl:LONG\td:DOUBLE\tm:MONEY\n");

std::vector<ValueCase> valueCases()
{
    return {
        {"text, plain", 0, QStringLiteral("Bloc-notes"), text(u"Bloc-notes")},
        {"text, accents (stored compressed)", 0, QStringLiteral("Écrou à œillets, cœur"),
         text(u"Écrou à œillets, cœur")},
        {"text, beyond Latin-1 (stored as UTF-16)", 0, QStringLiteral("Ωmega ☃ — 5 €"), text(u"Ωmega ☃ — 5 €")},
        {"text, beyond U+FFFF", 0, QStringLiteral("clef 𝄞 de sol"), text(u"clef 𝄞 de sol")},
        {"text, empty is not null", 0, QString(), text(u"")},
        {"text, escapes", 0, QStringLiteral("a\\tb\\nc\\\\d"), text(u"a\tb\nc\\d")},
        {"text, null", 0, QStringLiteral("NULL"), MixedValue::null()},
        {"integer, largest", 1, QStringLiteral("32767"), MixedValue(std::int16_t(32767))},
        {"integer, smallest", 1, QStringLiteral("-32768"), MixedValue(std::int16_t(-32768))},
        {"integer, null", 1, QStringLiteral("NULL"), MixedValue::null()},
        {"long, largest", 2, QStringLiteral("2147483647"), MixedValue(std::int32_t(2147483647))},
        {"long, smallest", 2, QStringLiteral("-2147483648"), MixedValue(std::numeric_limits<std::int32_t>::min())},
        {"long, null", 2, QStringLiteral("NULL"), MixedValue::null()},
        {"double, one tenth", 3, QStringLiteral("0.1"), MixedValue(0.1)},
        {"double, largest", 3, QStringLiteral("1.7976931348623157e308"),
         MixedValue(std::numeric_limits<double>::max())},
        {"double, smallest subnormal", 3, QStringLiteral("5e-324"),
         MixedValue(std::numeric_limits<double>::denorm_min())},
        {"double, seventeen digits", 3, QStringLiteral("3.1415926535897931"), MixedValue(3.1415926535897931)},
        {"double, null", 3, QStringLiteral("NULL"), MixedValue::null()},
        {"money, largest", 4, QStringLiteral("922337203685477.5807"), MixedValue(Currency::max())},
        {"money, smallest", 4, QStringLiteral("-922337203685477.5808"), MixedValue(Currency::min())},
        {"money, one ten-thousandth", 4, QStringLiteral("0.0001"), MixedValue(Currency::fromTenThousandths(1))},
        {"money, negative cents", 4, QStringLiteral("-0.05"), MixedValue(Currency::fromTenThousandths(-500))},
        {"money, price", 4, QStringLiteral("1249.90"), MixedValue(Currency::fromTenThousandths(12499000))},
        {"money, null", 4, QStringLiteral("NULL"), MixedValue::null()},
    };
}

QString allTypesText()
{
    QString tsv = AllTypesHeader;
    for (const ValueCase &c : valueCases()) {
        QStringList fields(5, QStringLiteral("NULL"));
        fields[c.column] = c.written;
        tsv += fields.join(u'\t') + u'\n';
    }
    return tsv;
}

QString productsText(int count)
{
    QString tsv = ProductHeader;
    for (int i = 1; i <= count; ++i)
        tsv += QStringLiteral("P%1\tProduit numéro %1\t%1\t%1.25\n").arg(i, 5, 10, QLatin1Char('0'));
    return tsv;
}

QString productRef(int i)
{
    return QStringLiteral("P%1").arg(i, 5, 10, QLatin1Char('0'));
}

}  // namespace

class ValuesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void typedValues_data();
    void typedValues();
    void isNullSaysWhatValueWouldSay();
    void negativeZeroKeepsItsSign();
    void fieldsHaveTheirNamesAndTypes();
    void fieldPositionOutOfRange();
    void emptyTable();
    void walkPastTheEnd();
    void storedOrderIsNotTheNamedOrder();
    void deletedAndMovedRows_data();
    void deletedAndMovedRows();
    void deletedProductsAreNotFound();

private:
    CatalogueFiles m_files;
    QString m_allTypes;
};

void ValuesTest::initTestCase()
{
    m_allTypes = m_files.write(QStringLiteral("types.mdb"), allTypesText(),
                               WriterOptions{QStringLiteral("Valeurs"), false, {}, {}});
}

void ValuesTest::typedValues_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<MixedValue>("expected");
    int row = 0;
    for (const ValueCase &c : valueCases())
        QTest::newRow(c.name) << row++ << c.column << c.expected;
}

void ValuesTest::typedValues()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(MixedValue, expected);
    const auto records = jet::DBEngine::OpenDatabase(m_allTypes)->OpenRecordset(QStringLiteral("Valeurs"));
    for (int i = 0; i < row; ++i)
        records->MoveNext();
    const MixedValue value = records->Fields()[std::int16_t(column)].Value();
    QCOMPARE(value.kind(), expected.kind());
    QCOMPARE(value, expected);
}

// Through the table and through a query whose fields come in another order, on a null and
// a value of every type; and it fails as Value() does where there is no current record.
void ValuesTest::isNullSaysWhatValueWouldSay()
{
    const auto database = jet::DBEngine::OpenDatabase(m_allTypes);
    const auto table = database->OpenRecordset(QStringLiteral("Valeurs"));
    const auto query = database->OpenRecordset(QStringLiteral("select m, d, l, i, t from Valeurs"));
    for (jet::Recordset *records : {table.get(), query.get()}) {
        for (; !records->Eof(); records->MoveNext()) {
            for (std::int16_t i = 0; i < records->Fields().Count(); ++i)
                QCOMPARE(records->Fields()[i].IsNull(), records->Fields()[i].Value().isNull());
        }
        QCOMPARE(failureOf([&] { records->Fields()[0].IsNull(); }).number, 3021);
    }
}

void ValuesTest::negativeZeroKeepsItsSign()
{
    const QString file = m_files.write(QStringLiteral("zero.mdb"), QStringLiteral("d:DOUBLE\n-0\n0\n"),
                                       WriterOptions{QStringLiteral("Zéros"), false, {}, {}});
    const auto records = jet::DBEngine::OpenDatabase(file)->OpenRecordset(QStringLiteral("Zéros"));
    QVERIFY(std::signbit(records->Fields()[0].Value().as<double>()));
    records->MoveNext();
    QVERIFY(!std::signbit(records->Fields()[0].Value().as<double>()));
}

void ValuesTest::fieldsHaveTheirNamesAndTypes()
{
    const auto records = jet::DBEngine::OpenDatabase(m_allTypes)->OpenRecordset(QStringLiteral("valeurs"));
    const jet::Fields &fields = records->Fields();
    QCOMPARE(fields.Count(), 5);
    const QStringList names{QStringLiteral("t"), QStringLiteral("i"), QStringLiteral("l"), QStringLiteral("d"),
                            QStringLiteral("m")};
    const QList<int> types{10, 3, 4, 7, 5};  // text, integer, long, double, currency
    for (std::int16_t i = 0; i < fields.Count(); ++i) {
        QCOMPARE(fields[i].Name(), names[i]);
        QCOMPARE(int(fields[i].Type()), types[i]);
    }
    QCOMPARE(fields[0].Size(), 60);
}

void ValuesTest::fieldPositionOutOfRange()
{
    const auto records = jet::DBEngine::OpenDatabase(m_allTypes)->OpenRecordset(QStringLiteral("Valeurs"));
    for (const std::int16_t position : {std::int16_t(5), std::int16_t(-1)}) {
        const EngineFailure failure = failureOf([&] { records->Fields()[position].Value(); });
        QCOMPARE(failure.number, 3265);
    }
}

void ValuesTest::emptyTable()
{
    const QString file = m_files.write(QStringLiteral("empty.mdb"), ProductHeader);
    const auto database = jet::DBEngine::OpenDatabase(file);
    const auto table = database->OpenRecordset(QStringLiteral("Produit"));
    QCOMPARE(table->RecordCount(), 0);
    QVERIFY(table->Eof());
    QCOMPARE(failureOf([&] { table->MoveFirst(); }).number, 3021);
    QCOMPARE(failureOf([&] { table->Fields()[0].Value(); }).number, 3021);
    const auto listing = database->OpenRecordset(ListingQuery);
    QCOMPARE(listing->RecordCount(), 0);
    QVERIFY(listing->Eof());
}

void ValuesTest::walkPastTheEnd()
{
    const QString file = m_files.write(QStringLiteral("two.mdb"), productsText(2));
    const auto table = jet::DBEngine::OpenDatabase(file)->OpenRecordset(QStringLiteral("Produit"));
    QCOMPARE(table->RecordCount(), 2);
    table->MoveFirst();
    table->MoveNext();
    QVERIFY(!table->Eof());
    table->MoveNext();
    QVERIFY(table->Eof());
    const EngineFailure read = failureOf([&] { table->Fields()[0].Value(); });
    QCOMPARE(read.number, 3021);
    QCOMPARE(read.description, QStringLiteral("Aucun enregistrement en cours."));
    QCOMPARE(failureOf([&] { table->MoveNext(); }).number, 3021);
    table->MoveFirst();
    QCOMPARE(table->Fields()[0].Value(), MixedValue(productRef(1)));
}

// The table holds desi, ref, prixvente, qté in that order: read by position, as the
// program's reference list and look-up do, positions 0, 1 and 3 give desi, ref and qté;
// the listing's query names its fields and gives them in its own order.
void ValuesTest::storedOrderIsNotTheNamedOrder()
{
    const QString file = m_files.write(QStringLiteral("order.mdb"),
                                       QStringLiteral("desi:TEXT(50)\tref:TEXT(10)\tprixvente:MONEY\tqté:INT\n"
                                                      "Crayon\tC1\t0.80\t12\n"));
    const auto database = jet::DBEngine::OpenDatabase(file);
    const auto table = database->OpenRecordset(QStringLiteral("Produit"));
    QCOMPARE(table->Fields()[0].Value(), text(u"Crayon"));
    QCOMPARE(table->Fields()[1].Value(), text(u"C1"));
    QCOMPARE(table->Fields()[3].Value(), MixedValue(std::int16_t(12)));

    const auto listing = database->OpenRecordset(ListingQuery);
    QCOMPARE(listing->Fields()[0].Name(), QStringLiteral("ref"));
    QCOMPARE(listing->Fields()[0].Value(), text(u"C1"));
    QCOMPARE(listing->Fields()[1].Value(), text(u"Crayon"));
    QCOMPARE(listing->Fields()[2].Value(), MixedValue(std::int16_t(12)));
    QCOMPARE(listing->Fields()[3].Value(), MixedValue(Currency::fromTenThousandths(8000)));
}

void ValuesTest::deletedAndMovedRows_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("deleted");
    QTest::addColumn<QList<int>>("moved");
    QTest::newRow("first and last deleted") << 5 << QList<int>{1, 5} << QList<int>{};
    QTest::newRow("every row deleted") << 3 << QList<int>{1, 2, 3} << QList<int>{};
    QTest::newRow("one moved") << 5 << QList<int>{} << QList<int>{3};
    QTest::newRow("first moved, neighbour deleted") << 4 << QList<int>{2} << QList<int>{1};
    // Enough rows for several data pages, deletions and moves on each.
    QTest::newRow("many pages") << 1500 << QList<int>{1, 2, 300, 301, 777, 1499} << QList<int>{3, 150, 800, 1500};
}

void ValuesTest::deletedAndMovedRows()
{
    QFETCH(int, count);
    QFETCH(QList<int>, deleted);
    QFETCH(QList<int>, moved);
    const QString file = m_files.write(QStringLiteral("fates.mdb"), productsText(count),
                                       WriterOptions{QStringLiteral("Produit"), true, deleted, moved});
    QStringList expectedRefs;
    for (int i = 1; i <= count; ++i) {
        if (!deleted.contains(i))
            expectedRefs.append(productRef(i));
    }
    const auto database = jet::DBEngine::OpenDatabase(file);
    const auto table = database->OpenRecordset(QStringLiteral("Produit"));
    QCOMPARE(table->RecordCount(), expectedRefs.size());
    // Stored order, moved rows in their own place, with all their values.
    const std::vector<std::vector<MixedValue>> rows = remainingRecords(*table);
    QCOMPARE(int(rows.size()), expectedRefs.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int i = expectedRefs[qsizetype(r)].mid(1).toInt();
        QCOMPARE(rows[r][0], MixedValue(expectedRefs[qsizetype(r)]));
        QCOMPARE(rows[r][1], MixedValue(QStringLiteral("Produit numéro %1").arg(i, 5, 10, QLatin1Char('0'))));
        QCOMPARE(rows[r][2], MixedValue(std::int16_t(i)));
        QCOMPARE(rows[r][3], MixedValue(Currency::fromTenThousandths(std::int64_t(i) * 10000 + 2500)));
    }
    const auto listing = database->OpenRecordset(ListingQuery);
    QCOMPARE(listing->RecordCount(), expectedRefs.size());
}

void ValuesTest::deletedProductsAreNotFound()
{
    const QString file = m_files.write(QStringLiteral("seekfates.mdb"), productsText(10),
                                       WriterOptions{QStringLiteral("Produit"), true, {4}, {7}});
    const auto table = jet::DBEngine::OpenDatabase(file)->OpenRecordset(QStringLiteral("Produit"));
    table->setIndex(QStringLiteral("XREF"));
    table->Seek(QStringLiteral("="), MixedValue(productRef(4)));
    QVERIFY(table->NoMatch());
    table->Seek(QStringLiteral("="), MixedValue(productRef(7)));
    QVERIFY(!table->NoMatch());
    QCOMPARE(table->Fields()[2].Value(), MixedValue(std::int16_t(7)));
}

QTEST_GUILESS_MAIN(ValuesTest)
#include "tst_jet_values.moc"
