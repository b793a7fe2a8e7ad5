// Catalogues written by fiche-catalogue, read back by mdbtools (an independent reader):
// table, column names, types, stored order, index, rows and nulls must come back as written.

#include "MdbTools.h"

#include "CatalogueWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

namespace {

const QString Tool = QStringLiteral(FICHE_CATALOGUE_TOOL);

QString joinFields(const QStringList &fields)
{
    return fields.join(u'\t');
}

QString tsv(const QStringList &header, const QList<QStringList> &rows)
{
    QString text = joinFields(header) + u'\n';
    for (const QStringList &row : rows)
        text += joinFields(row) + u'\n';
    return text;
}

QStringList exported(const QList<QStringList> &rows)
{
    QStringList lines;
    for (const QStringList &row : rows)
        lines.append(joinFields(row));
    return lines;
}

QStringList doubleColumns(const QStringList &schema)
{
    QStringList names;
    for (const QString &column : schema)
        if (column.endsWith(QStringLiteral(" Double")))
            names.append(column.section(u' ', 0, 0));
    return names;
}

// mdb-export prints doubles with 16 significant digits (%.16g), which cannot show every
// double exactly (0.30000000000000004 comes out as 0.3): where the texts differ, a double
// column passes when both texts give the same value to 16 significant digits.
bool sameField(const QString &actual, const QString &expected, bool isDouble)
{
    if (actual == expected)
        return true;
    if (!isDouble)
        return false;
    bool actualOk = false;
    bool expectedOk = false;
    const double a = actual.toDouble(&actualOk);
    const double e = expected.toDouble(&expectedOk);
    return actualOk && expectedOk && std::fabs(a - e) <= 1e-15 * std::fabs(e);
}

void compareRows(const QStringList &actual, const QStringList &expected, const QStringList &schema)
{
    QCOMPARE(actual.size(), expected.size());
    const QStringList doubles = doubleColumns(schema);
    QList<bool> isDouble;
    for (const QString &column : schema)
        isDouble.append(doubles.contains(column.section(u' ', 0, 0)));
    for (qsizetype row = 0; row < actual.size(); ++row) {
        const QStringList got = actual[row].split(u'\t');
        const QStringList want = expected[row].split(u'\t');
        QVERIFY2(got.size() == want.size(), qPrintable(QStringLiteral("row %1: %2").arg(row + 1).arg(actual[row])));
        for (qsizetype field = 0; field < got.size(); ++field)
            QVERIFY2(sameField(got[field], want[field], isDouble.value(field)),
                     qPrintable(QStringLiteral("row %1, field %2: got « %3 », expected « %4 »")
                                    .arg(row + 1)
                                    .arg(field + 1)
                                    .arg(got[field], want[field])));
    }
}

QString writeText(const QString &path, const QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(text.toUtf8());
    return path;
}

}  // namespace

class CatalogueRoundTrip : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void syntheticProducts_data();
    void syntheticProducts();
    void syntheticProductsDependOnlyOnTheSeed();
};

void CatalogueRoundTrip::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("schema");
    QTest::addColumn<QStringList>("indexes");
    QTest::addColumn<QStringList>("rows");

    const QStringList produitHeader = {"ref:TEXT(20)",    "desi:TEXT(100)", "qté:INT",
                                       "prixvente:MONEY", "stock:LONG",     "poids:DOUBLE"};
    const QStringList produitSchema = {"ref Text (20)",      "desi Text (100)",    "qté Integer",
                                       "prixvente Currency", "stock Long Integer", "poids Double"};
    const QStringList xref = {"INDEX XREF (ref)"};

    QTest::newRow("every type, each at its limits and null somewhere")
        << tsv(produitHeader, {{"A1", "Cahier", "12", "2.95", "100000", "0.5"},
                               {"NULL", "Sans référence", "-32768", "-922337203685477.5808", "-2147483648", "-1e308"},
                               {"B2", "NULL", "32767", "922337203685477.5807", "2147483647", "3.141592653589793"},
                               {"C3", "Gomme", "NULL", "NULL", "NULL", "NULL"},
                               {"D4", "Règle", "0", "0", "0", "0"},
                               {"E5", "Équerre", "-1", ".5", "-7", "0.30000000000000004"},
                               {"F6", "Compas", "+5", "-0.0001", "+42", "2.5e10"},
                               {"G7", "Trombones", "007", "12.3", "0", "-1e-300"}})
        << QStringList() << "Produit" << produitSchema << xref
        << exported({{"A1", "Cahier", "12", "2.9500", "100000", "0.5"},
                     {NullMark, "Sans référence", "-32768", "-922337203685477.5808", "-2147483648", "-1e+308"},
                     {"B2", NullMark, "32767", "922337203685477.5807", "2147483647", "3.141592653589793"},
                     {"C3", "Gomme", NullMark, NullMark, NullMark, NullMark},
                     {"D4", "Règle", "0", "0.0000", "0", "0"},
                     {"E5", "Équerre", "-1", "0.5000", "-7", "0.3"},
                     {"F6", "Compas", "5", "-0.0001", "42", "25000000000"},
                     {"G7", "Trombones", "7", "12.3000", "0", "-1e-300"}});

    // Texts exported with C-style escapes read like the input's own. Characters beyond
    // U+FFFF are left out: libmdb turns each of their halves into "?".
    const QList<QStringList> texts = {{"É-1", "L'été « chaud » à Noël"},
                                      {"Q-2", "Guillemets \"doubles\" et 'simples'"},
                                      {"W-3", "Ωmega ☃ et € 5"},
                                      {"U-4", "Ā ne se compresse pas ĀĀ"},
                                      {"T-5", "tab\\tici"},
                                      {"N-6", "ligne\\nsuivante"},
                                      {"B-7", "barre \\\\ oblique"},
                                      {"M-8", "abcdefΩxΩghijkl"},
                                      {"S-9", "NULL dans un texte"}};
    QTest::newRow("accents, apostrophes, double quotes, escapes, wide characters")
        << tsv({"ref:TEXT(10)", "désignation:TEXT(60)"}, texts + QList<QStringList>{{"V-10", ""}}) << QStringList()
        << "Produit" << QStringList{"ref Text (10)", "désignation Text (60)"}
        << xref
        // An empty text: libmdb shows it as null.
        << exported(texts + QList<QStringList>{{"V-10", NullMark}});

    const QString ascii(255, u'a');
    const QString accented(255, u'é');
    const QString wide(255, u'Ω');
    QTest::newRow("long texts at the column's limit")
        << tsv({"ref:TEXT(5)", "desi:TEXT(255)"}, {{"L1", ascii}, {"L2", accented}, {"L3", wide}}) << QStringList()
        << "Produit" << QStringList{"ref Text (5)", "desi Text (255)"} << xref
        << exported({{"L1", ascii}, {"L2", accented}, {"L3", wide}});

    QTest::newRow("empty table") << tsv(produitHeader, {}) << QStringList() << "Produit" << produitSchema << xref
                                 << QStringList();

    QTest::newRow("stored order desi, ref, prixvente, qté")
        << tsv({"desi:TEXT(50)", "ref:TEXT(10)", "prixvente:MONEY", "qté:INT"},
               {{"Agrafeuse", "AGR", "12.40", "10"}, {"Ciseaux", "CIS", "5.7", "14"}})
        << QStringList() << "Produit"
        << QStringList{"desi Text (50)", "ref Text (10)", "prixvente Currency", "qté Integer"} << xref
        << exported({{"Agrafeuse", "AGR", "12.4000", "10"}, {"Ciseaux", "CIS", "5.7000", "14"}});

    QTest::newRow("table not named Produit, without a column ref")
        << tsv({"code:LONG", "libellé:TEXT(30)"}, {{"1", "Crayon"}, {"2", "Stylo"}})
        << QStringList{"--table", "Articles"} << "Articles" << QStringList{"code Long Integer", "libellé Text (30)"}
        << QStringList() << exported({{"1", "Crayon"}, {"2", "Stylo"}});

    QTest::newRow("index left out on request")
        << tsv({"ref:TEXT(10)", "qté:INT"}, {{"A", "1"}}) << QStringList{"--no-index"} << "Produit"
        << QStringList{"ref Text (10)", "qté Integer"} << QStringList() << exported({{"A", "1"}});

    QTest::newRow("comments, blank lines, CRLF line ends and a byte order mark skipped")
        << QStringLiteral("\uFEFF# un commentaire\r\nref:TEXT(5)\tqté:INT\r\n\r\n# un autre\r\nA\t1\r\n\r\nB\t2\r\n")
        << QStringList() << "Produit" << QStringList{"ref Text (5)", "qté Integer"} << xref
        << exported({{"A", "1"}, {"B", "2"}});
}

void CatalogueRoundTrip::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QStringList, options);
    QFETCH(QString, table);
    QFETCH(QStringList, schema);
    QFETCH(QStringList, indexes);
    QFETCH(QStringList, rows);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString input = writeText(dir.filePath(QStringLiteral("catalogue.tsv")), text);
    QVERIFY(!input.isEmpty());
    const QString file = dir.filePath(QStringLiteral("catalogue.mdb"));
    const ProgramRun created = runProgram(Tool, QStringList{QStringLiteral("create"), file, input} + options);
    QVERIFY2(created.succeededQuietly(), qPrintable(created.describe()));

    const MdbView tables = mdbTables(file);
    QVERIFY2(tables.run.succeededQuietly(), qPrintable(tables.run.describe()));
    QCOMPARE(tables.lines, QStringList{table});

    const MdbView columns = mdbSchemaColumns(file, table);
    QVERIFY2(columns.run.succeededQuietly(), qPrintable(columns.run.describe()));
    QCOMPARE(columns.lines, schema);

    const MdbView indexList = mdbIndexes(file);
    QVERIFY2(indexList.run.succeededQuietly(), qPrintable(indexList.run.describe()));
    QCOMPARE(indexList.lines, indexes);

    const MdbView data = mdbExport(file, table);
    QVERIFY2(data.run.succeededQuietly(), qPrintable(data.run.describe()));
    compareRows(data.lines, rows, schema);
}

void CatalogueRoundTrip::syntheticProducts_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("leastPages");

    QTest::newRow("20 000 products") << 20000 << 0;
    // Past 512 data pages the table's page list moves out to bitmap pages of its own.
    QTest::newRow("50 000 products, listed by a paged usage map") << 50000 << 520;
}

void CatalogueRoundTrip::syntheticProducts()
{
    QFETCH(int, count);
    QFETCH(int, leastPages);
    constexpr quint32 Seed = 7;

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("synth.mdb"));
    const ProgramRun created = runProgram(
        Tool, {QStringLiteral("synth"), QString::number(count), file, QStringLiteral("--seed"), QString::number(Seed)});
    QVERIFY2(created.succeededQuietly(), qPrintable(created.describe()));
    QVERIFY(QFileInfo(file).size() / 4096 >= leastPages);

    const MdbView columns = mdbSchemaColumns(file, QStringLiteral("Produit"));
    QVERIFY2(columns.run.succeededQuietly(), qPrintable(columns.run.describe()));
    QCOMPARE(columns.lines, (QStringList{"ref Text (12)", "desi Text (80)", "qté Integer", "prixvente Currency"}));

    // What was meant: the generator's own text, amounts shown with four decimals.
    QStringList expected = syntheticCatalogueTsv(count, Seed).split(u'\n', Qt::SkipEmptyParts).mid(1);
    for (QString &line : expected)
        line += QStringLiteral("00");
    const MdbView data = mdbExport(file, QStringLiteral("Produit"));
    QVERIFY2(data.run.succeededQuietly(), qPrintable(data.run.describe()));
    QCOMPARE(data.lines.size(), count);
    QCOMPARE(data.lines, expected);

    QSet<QString> references;
    bool accents = false;
    bool lowerCaseWord = false;
    bool upperCaseWord = false;
    for (const QString &line : data.lines) {
        const QStringList fields = line.split(u'\t');
        references.insert(fields[0]);
        accents = accents || fields[1].contains(QRegularExpression(QStringLiteral("[éèàÉ]")));
        lowerCaseWord = lowerCaseWord || fields[1].contains(QRegularExpression(QStringLiteral("\\b[a-zé]{3,}\\b")));
        upperCaseWord = upperCaseWord || fields[1].contains(QRegularExpression(QStringLiteral("\\b[A-ZÉ]{3,}\\b")));
        const int quantity = fields[2].toInt();
        QVERIFY2(quantity >= 1 && quantity <= 50, qPrintable(line));
        const double price = fields[3].toDouble();
        QVERIFY2(price >= 0.5 && price <= 5000 && fields[3].endsWith(QStringLiteral("00")), qPrintable(line));
    }
    QCOMPARE(references.size(), count);
    QVERIFY(accents);
    QVERIFY(lowerCaseWord && upperCaseWord);
}

void CatalogueRoundTrip::syntheticProductsDependOnlyOnTheSeed()
{
    QCOMPARE(syntheticCatalogueTsv(300, 5), syntheticCatalogueTsv(300, 5));
    QVERIFY(syntheticCatalogueTsv(300, 5) != syntheticCatalogueTsv(300, 6));
    // A longer run starts with the shorter one: products do not depend on the count.
    QVERIFY(syntheticCatalogueTsv(600, 5).startsWith(syntheticCatalogueTsv(300, 5)));
}

QTEST_GUILESS_MAIN(CatalogueRoundTrip)
#include "tst_catalogue_roundtrip.moc"
