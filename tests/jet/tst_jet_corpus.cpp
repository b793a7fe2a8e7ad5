// Every table of every file of the shared corpus (real Access files: Jet 3, Jet 4 and ACE)
// read through the engine, with no row left out, must equal what mdbtools' own export
// prints:
//  - texts exactly (mdb-export prints an empty text as null: either matches its null);
//  - integers, booleans (0/1 there, 0/−1 here) and doubles by value (mdb-export prints
//    16 significant digits, singles 8), amounts exactly, with their four decimals;
//  - binary and OLE data byte for byte (hexadecimal on both sides), GUIDs as text;
//  - dates: to the second where mdb-export 1.0.0 can print them (serial numbers 0 to
//    1 000 000, 1899-12-30 to about 4637); outside that range it prints an empty date
//    ("1900-01-00 00:00:00") whatever the value. There we require that placeholder from it,
//    and from the engine a real date between the years 100 and 9999 (the range dates can
//    have), which our date text states in full.

#include "CatalogueFixtures.h"
#include "ColumnType.h"
#include "ValueText.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest/QtTest>

namespace {

const QString NullMark = QStringLiteral("\u2400NUL\u2400");
const QString DateFormat = QStringLiteral("%Y-%m-%d %H:%M:%S");
const QString EmptyDate = QStringLiteral("1900-01-00 00:00:00");
constexpr double LastDateMdbExportPrints = 1e6;

QString corpusDir()
{
    return QString::fromUtf8(FICHE_CORPUS_DIR);
}

QStringList corpusFiles()
{
    return QDir(corpusDir()).entryList({QStringLiteral("*.mdb"), QStringLiteral("*.accdb")}, QDir::Files, QDir::Name);
}

QString runMdbTool(const QString &tool, const QStringList &arguments, QString *errors)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        *errors = QStringLiteral("%1 failed: %2").arg(tool, QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// mdb-export's -e escapes: \r, \n, \t and \\.
QString unescaped(const QString &field)
{
    QString text;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != u'\\' || i + 1 == field.size()) {
            text += field[i];
            continue;
        }
        const QChar c = field[++i];
        text += c == u'r' ? QChar(u'\r') : c == u'n' ? QChar(u'\n') : c == u't' ? QChar(u'\t') : c;
    }
    return text;
}

using jet::ColumnType;

// Empty when the engine's value matches mdb-export's field.
QString mismatch(const MixedValue &ours, ColumnType type, const QString &theirs)
{
    const QString shown = catalogue::valueText(ours, std::int16_t(type));
    const auto differ = [&] { return QStringLiteral("engine %1, mdb-export %2").arg(shown, theirs); };
    if (theirs == NullMark) {
        const bool emptyText = ours.isText() && ours.as<QString>().isEmpty();
        return ours.isNull() || emptyText ? QString() : differ();
    }
    if (ours.isNull())
        return differ();
    switch (type) {
    case ColumnType::Boolean:
        return (ours.as<std::int16_t>() != 0) == (theirs == u"1") ? QString() : differ();
    case ColumnType::Byte:
    case ColumnType::Integer:
        return ours.as<std::int16_t>() == theirs.toInt() ? QString() : differ();
    case ColumnType::Long:
        return ours.as<std::int32_t>() == theirs.toInt() ? QString() : differ();
    case ColumnType::Currency:
        return catalogue::amountText(ours.as<Currency>()) == theirs ? QString() : differ();
    case ColumnType::Single:
        return float(ours.as<double>()) == theirs.toFloat() ? QString() : differ();
    case ColumnType::Double:
        return QString::asprintf("%.16g", ours.as<double>()) == theirs ? QString() : differ();
    case ColumnType::DateTime: {
        const double serial = ours.as<double>();
        if (serial >= 0 && serial <= LastDateMdbExportPrints)
            return catalogue::dateText(serial) == theirs ? QString() : differ();
        static const QRegularExpression fullDate(QStringLiteral("^(\\d{4})-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"));
        const QRegularExpressionMatch date = fullDate.match(shown);
        const int year = date.hasMatch() ? date.captured(1).toInt() : 0;
        return theirs == EmptyDate && year >= 100 && year <= 9999 ? QString() : differ();
    }
    default:  // texts, memos, binary and OLE data in hexadecimal, GUIDs
        return ours.isText() && ours.as<QString>() == unescaped(theirs) ? QString() : differ();
    }
}

}  // namespace

class CorpusTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void tableLists_data();
    void tableLists();
    void tables_data();
    void tables();
    void listingQueryOnARealTable();
};

void CorpusTest::initTestCase()
{
    if (!QDir(corpusDir()).exists() || corpusFiles().isEmpty())
        QSKIP(
            qPrintable(QStringLiteral("no corpus of real Access files at %1: set it up to test the engine against them")
                           .arg(corpusDir())));
}

void CorpusTest::tableLists_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &file : corpusFiles())
        QTest::newRow(qPrintable(file)) << QDir(corpusDir()).filePath(file);
}

void CorpusTest::tableLists()
{
    QFETCH(QString, file);
    QString errors;
    QStringList theirs = runMdbTool(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), file}, &errors)
                             .split(u'\n', Qt::SkipEmptyParts);
    QVERIFY2(errors.isEmpty(), qPrintable(errors));
    QStringList ours = jet::DBEngine::OpenDatabase(file)->TableNames();
    theirs.sort();
    ours.sort();
    QCOMPARE(ours, theirs);
}

void CorpusTest::tables_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    for (const QString &name : corpusFiles()) {
        const QString file = QDir(corpusDir()).filePath(name);
        for (const QString &table : jet::DBEngine::OpenDatabase(file)->TableNames())
            QTest::newRow(qPrintable(name + u'/' + table)) << file << table;
    }
}

void CorpusTest::tables()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QString errors;
    const QString exported =
        runMdbTool(QStringLiteral("mdb-export"),
                   {QStringLiteral("-H"), QStringLiteral("-Q"), QStringLiteral("-e"), QStringLiteral("-d"),
                    QStringLiteral("\t"), QStringLiteral("-0"), NullMark, QStringLiteral("-b"), QStringLiteral("hex"),
                    QStringLiteral("-T"), DateFormat, file, table},
                   &errors);
    QVERIFY2(errors.isEmpty(), qPrintable(errors));
    const QStringList lines = exported.split(u'\n', Qt::SkipEmptyParts);

    const auto records = jet::DBEngine::OpenDatabase(file)->OpenRecordset(table);
    // A sound file: nothing in it may pass for damage.
    QVERIFY(records->LeftOutRows().empty());
    QCOMPARE(records->RecordCount(), lines.size());
    QStringList mismatches;
    for (qsizetype row = 0; row < lines.size(); ++row, records->MoveNext()) {
        const QStringList fields = lines[row].split(u'\t');
        QCOMPARE(fields.size(), qsizetype(records->Fields().Count()));
        for (std::int16_t i = 0; i < records->Fields().Count(); ++i) {
            const jet::Field field = records->Fields()[i];
            const QString difference = mismatch(field.Value(), ColumnType(field.Type()), fields[i]);
            if (!difference.isEmpty())
                mismatches.append(
                    QStringLiteral("row %1, %2: %3").arg(row + 1).arg(field.Name(), difference.left(300)));
        }
    }
    QVERIFY(records->Eof());
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.mid(0, 10).join(u'\n')));
}

// A table of a real file sorted on a text column by the engine's query: the same rows,
// in the General sort order (letters without regard to case, French collation).
void CorpusTest::listingQueryOnARealTable()
{
    const QString file = QDir(corpusDir()).filePath(QStringLiteral("nwind.mdb"));
    if (!QFile::exists(file))
        QSKIP("nwind.mdb is not in the corpus");
    const auto database = jet::DBEngine::OpenDatabase(file);
    const auto sorted =
        database->OpenRecordset(QStringLiteral("select ProductName, UnitPrice from Products order by productname asc"));
    const QStringList names = remainingTexts(*sorted, 0);
    QCOMPARE(names.size(), 77);
    QStringList expected = remainingTexts(*database->OpenRecordset(QStringLiteral("Products")), 1);
    QCollator french(QLocale(QLocale::French, QLocale::France));
    french.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(expected.begin(), expected.end(), french);
    QCOMPARE(names, expected);
}

QTEST_GUILESS_MAIN(CorpusTest)
#include "tst_jet_corpus.moc"
