// Bad input to the catalogue writer: a French message that names the line and the column,
// and no file written, nor an existing one touched.

#include "MdbTools.h"

#include "CatalogueWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Tool = QStringLiteral(FICHE_CATALOGUE_TOOL);
const QString Header = QStringLiteral("ref:TEXT(5)\tqté:INT\tstock:LONG\tprix:MONEY\tpoids:DOUBLE\n");

QString withRow(const QString &row)
{
    return Header + QStringLiteral("OK\t1\t1\t1\t1\n") + row + u'\n';
}

// The other column types, after one good row.
const QString TypedHeader =
    QStringLiteral("b:BOOL\tn:BYTE\ts:SINGLE\td:DATETIME\tuid:GUID\tcode:BINARY(2)\tm:MEMO\to:OLE\n");

QString withTypedRow(const QString &row)
{
    return TypedHeader +
           QStringLiteral("1\t255\t0.5\t2024-01-31 08:30\t{00112233-4455-6677-8899-AABBCCDDEEFF}\tABCD\t\t00\n") + row +
           u'\n';
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class CatalogueInput : public QObject {
    Q_OBJECT

private slots:
    void badTextIsRejected_data();
    void badTextIsRejected();
    void badOptionsAreRejected_data();
    void badOptionsAreRejected();
    void failedCreateLeavesTheOldFileAlone();
    void textThatIsNotUtf8IsRejectedWithItsLine();
    void wrongCommandLinesAreUsageErrors_data();
    void wrongCommandLinesAreUsageErrors();
};

void CatalogueInput::badTextIsRejected_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("messageParts");

    QTest::newRow("no header") << QStringLiteral("# rien\n\n") << QStringList{"aucune ligne d'en-tête"};
    QTest::newRow("header cell without a type")
        << QStringLiteral("ref:TEXT(5)\tqté\n") << QStringList{"ligne 1", "colonne 2", "nom:TYPE"};
    QTest::newRow("unknown type") << QStringLiteral("ref:TEXT(5)\tqté:ENTIER\n")
                                  << QStringList{"ligne 1", "type inconnu", "ENTIER"};
    QTest::newRow("text length 0") << QStringLiteral("ref:TEXT(0)\n") << QStringList{"ligne 1", "hors limites"};
    QTest::newRow("text length 256") << QStringLiteral("ref:TEXT(256)\n") << QStringList{"ligne 1", "256", "1 à 255"};
    QTest::newRow("column named twice") << QStringLiteral("ref:TEXT(5)\tREF:INT\n")
                                        << QStringList{"ligne 1", "REF", "deux fois"};
    QTest::newRow("column name with a dot")
        << QStringLiteral("prix.ht:MONEY\n") << QStringList{"ligne 1", "prix.ht", "interdit"};
    QTest::newRow("rows that could outgrow a page")
        << QStringLiteral("a:TEXT(255)\tb:TEXT(255)\tc:TEXT(255)\td:TEXT(255)\te:TEXT(255)\tf:TEXT(255)\tg:TEXT(255)"
                          "\th:TEXT(255)\n")
        << QStringList{"en-tête", "4060"};
    QTest::newRow("too few fields") << withRow(QStringLiteral("A\t1\t1\t1"))
                                    << QStringList{"ligne 3", "4 champ(s) au lieu de 5"};
    QTest::newRow("too many fields") << withRow(QStringLiteral("A\t1\t1\t1\t1\t1"))
                                     << QStringList{"ligne 3", "6 champ(s) au lieu de 5"};
    QTest::newRow("INT above its range") << withRow(QStringLiteral("A\t32768\t1\t1\t1"))
                                         << QStringList{"ligne 3", "« qté »", "32768", "32 767"};
    QTest::newRow("INT below its range") << withRow(QStringLiteral("A\t-32769\t1\t1\t1"))
                                         << QStringList{"ligne 3", "« qté »", "−32 768"};
    QTest::newRow("INT with a decimal") << withRow(QStringLiteral("A\t1.5\t1\t1\t1"))
                                        << QStringList{"ligne 3", "« qté »", "n'est pas un nombre entier"};
    QTest::newRow("LONG above its range")
        << withRow(QStringLiteral("A\t1\t2147483648\t1\t1")) << QStringList{"ligne 3", "« stock »", "2 147 483 647"};
    QTest::newRow("LONG far beyond 64 bits") << withRow(QStringLiteral("A\t1\t99999999999999999999999\t1\t1"))
                                             << QStringList{"ligne 3", "« stock »", "sort des limites"};
    QTest::newRow("empty number") << withRow(QStringLiteral("A\t\t1\t1\t1"))
                                  << QStringList{"ligne 3", "« qté »", "NULL"};
    QTest::newRow("MONEY with five decimals")
        << withRow(QStringLiteral("A\t1\t1\t0.00001\t1")) << QStringList{"ligne 3", "« prix »", "4 décimales"};
    QTest::newRow("MONEY with a comma") << withRow(QStringLiteral("A\t1\t1\t1,5\t1"))
                                        << QStringList{"ligne 3", "« prix »", "point"};
    QTest::newRow("MONEY one past its range") << withRow(QStringLiteral("A\t1\t1\t922337203685477.5808\t1"))
                                              << QStringList{"ligne 3", "« prix »", "limites d'un montant"};
    QTest::newRow("MONEY just a point") << withRow(QStringLiteral("A\t1\t1\t.\t1"))
                                        << QStringList{"ligne 3", "« prix »", "n'est pas un montant"};
    QTest::newRow("DOUBLE with a comma") << withRow(QStringLiteral("A\t1\t1\t1\t3,14"))
                                         << QStringList{"ligne 3", "« poids »", "point"};
    QTest::newRow("DOUBLE infinity") << withRow(QStringLiteral("A\t1\t1\t1\tinf"))
                                     << QStringList{"ligne 3", "« poids »", "n'est pas un nombre"};
    QTest::newRow("DOUBLE beyond its range")
        << withRow(QStringLiteral("A\t1\t1\t1\t1e400")) << QStringList{"ligne 3", "« poids »", "réel double"};
    QTest::newRow("text too long") << withRow(QStringLiteral("ABCDEF\t1\t1\t1\t1"))
                                   << QStringList{"ligne 3", "« ref »", "6 caractères", "en admet 5"};
    QTest::newRow("unknown escape") << withRow(QStringLiteral("A\\x\t1\t1\t1\t1"))
                                    << QStringList{"ligne 3", "« ref »", "\\x"};
    QTest::newRow("backslash at the end")
        << withRow(QStringLiteral("A\\\t1\t1\t1\t1")) << QStringList{"ligne 3", "« ref »", "fin de champ"};
    QTest::newRow("binary length 256") << QStringLiteral("code:BINARY(256)\n")
                                       << QStringList{"ligne 1", "longueur de binaire", "1 à 255"};
    QTest::newRow("null boolean") << withTypedRow(QStringLiteral("NULL\t1\t1\t1\tNULL\tNULL\tNULL\tNULL"))
                                  << QStringList{"ligne 3", "« b »", "NULL", "0 ou 1"};
    QTest::newRow("boolean 2") << withTypedRow(QStringLiteral("2\t1\t1\t1\tNULL\tNULL\tNULL\tNULL"))
                               << QStringList{"ligne 3", "« b »", "« 2 »", "booléen"};
    QTest::newRow("BYTE above its range") << withTypedRow(QStringLiteral("0\t256\t1\t1\tNULL\tNULL\tNULL\tNULL"))
                                          << QStringList{"ligne 3", "« n »", "256", "0 à 255"};
    QTest::newRow("BYTE below zero") << withTypedRow(QStringLiteral("0\t-1\t1\t1\tNULL\tNULL\tNULL\tNULL"))
                                     << QStringList{"ligne 3", "« n »", "« -1 »", "0 à 255"};
    QTest::newRow("SINGLE beyond its range") << withTypedRow(QStringLiteral("0\t1\t1e39\t1\tNULL\tNULL\tNULL\tNULL"))
                                             << QStringList{"ligne 3", "« s »", "réel simple"};
    QTest::newRow("DATETIME on a day that does not exist")
        << withTypedRow(QStringLiteral("0\t1\t1\t2023-02-29\tNULL\tNULL\tNULL\tNULL"))
        << QStringList{"ligne 3", "« d »", "2023-02-29"};
    QTest::newRow("DATETIME with a comma") << withTypedRow(QStringLiteral("0\t1\t1\t45000,5\tNULL\tNULL\tNULL\tNULL"))
                                           << QStringList{"ligne 3", "« d »", "point"};
    QTest::newRow("GUID without braces") << withTypedRow(QStringLiteral(
                                                "0\t1\t1\t1\t00112233-4455-6677-8899-AABBCCDDEEFF\tNULL\tNULL\tNULL"))
                                         << QStringList{"ligne 3", "« uid »", "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"};
    QTest::newRow("GUID with a letter that is not hexadecimal")
        << withTypedRow(QStringLiteral("0\t1\t1\t1\t{0011223G-4455-6677-8899-AABBCCDDEEFF}\tNULL\tNULL\tNULL"))
        << QStringList{"ligne 3", "« uid »", "n'est pas un GUID"};
    QTest::newRow("BINARY longer than its column")
        << withTypedRow(QStringLiteral("0\t1\t1\t1\tNULL\tAABBCC\tNULL\tNULL"))
        << QStringList{"ligne 3", "« code »", "3 octets", "en admet 2"};
    QTest::newRow("OLE with an odd count of digits")
        << withTypedRow(QStringLiteral("0\t1\t1\t1\tNULL\tNULL\tNULL\tABC"))
        << QStringList{"ligne 3", "« o »", "hexadécimal"};
    QTest::newRow("memo with an unknown escape") << withTypedRow(QStringLiteral("0\t1\t1\t1\tNULL\tNULL\ta\\qb\tNULL"))
                                                 << QStringList{"ligne 3", "« m »", "\\q"};
    QTest::newRow("line numbers count comments and blank lines")
        << QStringLiteral("# en-tête\n\nref:TEXT(5)\tqté:INT\n\n# ligne 5\nA\tdeux\n")
        << QStringList{"ligne 6", "« qté »", "deux"};
}

void CatalogueInput::badTextIsRejected()
{
    QFETCH(QString, text);
    QFETCH(QStringList, messageParts);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("catalogue.mdb"));
    try {
        createCatalogueFromTsv(text, file);
        QFAIL("the text was accepted");
    } catch (const CatalogueError &error) {
        for (const QString &part : messageParts)
            QVERIFY2(error.message().contains(part),
                     qPrintable(QStringLiteral("« %1 » not in: %2").arg(part, error.message())));
    }
    QVERIFY(QDir(dir.path()).isEmpty());
}

void CatalogueInput::badOptionsAreRejected_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QList<int>>("deleted");
    QTest::addColumn<QList<int>>("moved");
    QTest::addColumn<QString>("messagePart");

    QTest::newRow("deleted row past the end") << QStringLiteral("Produit") << QList<int>{3} << QList<int>{}
                                              << QStringLiteral("ligne de données 3 n'existe pas");
    QTest::newRow("moved row 0") << QStringLiteral("Produit") << QList<int>{} << QList<int>{0}
                                 << QStringLiteral("ligne de données 0 n'existe pas");
    QTest::newRow("row both deleted and moved") << QStringLiteral("Produit") << QList<int>{2} << QList<int>{2}
                                                << QStringLiteral("à la fois supprimée et déplacée");
    QTest::newRow("engine's table prefix")
        << QStringLiteral("MSysProduits") << QList<int>{} << QList<int>{} << QStringLiteral("réservé");
    QTest::newRow("empty table name") << QString() << QList<int>{} << QList<int>{} << QStringLiteral("nom vide");
    QTest::newRow("table name with a bracket")
        << QStringLiteral("Prix[1]") << QList<int>{} << QList<int>{} << QStringLiteral("interdit");
}

void CatalogueInput::badOptionsAreRejected()
{
    QFETCH(QString, table);
    QFETCH(QList<int>, deleted);
    QFETCH(QList<int>, moved);
    QFETCH(QString, messagePart);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    WriterOptions options;
    options.table = table;
    options.deletedRows = deleted;
    options.movedRows = moved;
    try {
        createCatalogueFromTsv(QStringLiteral("ref:TEXT(5)\nA\nB\n"), dir.filePath(QStringLiteral("c.mdb")), options);
        QFAIL("the options were accepted");
    } catch (const CatalogueError &error) {
        QVERIFY2(error.message().contains(messagePart), qPrintable(error.message()));
    }
    QVERIFY(QDir(dir.path()).isEmpty());
}

void CatalogueInput::failedCreateLeavesTheOldFileAlone()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString input = dir.filePath(QStringLiteral("in.tsv"));
    const QString output = dir.filePath(QStringLiteral("out.mdb"));
    QVERIFY(writeBytes(output, "ce qui était là avant"));
    QVERIFY(writeBytes(input, QStringLiteral("ref:TEXT(5)\tqté:INT\nA\t1\nB\tbeaucoup\n").toUtf8()));

    const ProgramRun run = runProgram(Tool, {QStringLiteral("create"), output, input});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("ligne 3")) && run.err.contains(QStringLiteral("« qté »")),
             qPrintable(run.err));
    QCOMPARE(readBytes(output), QByteArray("ce qui était là avant"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"in.tsv", "out.mdb"}));
}

void CatalogueInput::textThatIsNotUtf8IsRejectedWithItsLine()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString input = dir.filePath(QStringLiteral("in.tsv"));
    QVERIFY(writeBytes(input, "ref:TEXT(5)\nA\nCaf\xE9\n"));  // Latin-1, not UTF-8

    const ProgramRun run = runProgram(Tool, {QStringLiteral("create"), dir.filePath(QStringLiteral("out.mdb")), input});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("ligne 3")) && run.err.contains(QStringLiteral("UTF-8")),
             qPrintable(run.err));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("out.mdb"))));
}

void CatalogueInput::wrongCommandLinesAreUsageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("messagePart");

    QTest::newRow("no command") << QStringList() << QStringLiteral("Usage");
    QTest::newRow("unknown command") << QStringList{"effacer"} << QStringLiteral("commande inconnue « effacer »");
    QTest::newRow("create without its input")
        << QStringList{"create", "out.mdb"} << QStringLiteral("1 argument(s) au lieu de 2");
    QTest::newRow("unknown option") << QStringList{"create", "out.mdb", "in.tsv", "--vite"}
                                    << QStringLiteral("option inconnue « --vite »");
    QTest::newRow("option without its value")
        << QStringList{"create", "out.mdb", "in.tsv", "--table"} << QStringLiteral("--table attend une valeur");
    QTest::newRow("row list with a word")
        << QStringList{"create", "out.mdb", "in.tsv", "--delete", "1,deux"} << QStringLiteral("« deux »");
    QTest::newRow("synthetic count too large")
        << QStringList{"synth", "2000000", "out.mdb"} << QStringLiteral("1000000");
    QTest::newRow("negative seed") << QStringList{"synth", "10", "out.mdb", "--seed", "-1"} << QStringLiteral("--seed");
}

void CatalogueInput::wrongCommandLinesAreUsageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, messagePart);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const ProgramRun run = runProgram(Tool, arguments, dir.path());
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(messagePart), qPrintable(run.err));
    QVERIFY(QDir(dir.path()).isEmpty());
}

QTEST_GUILESS_MAIN(CatalogueInput)
#include "tst_catalogue_input.moc"
