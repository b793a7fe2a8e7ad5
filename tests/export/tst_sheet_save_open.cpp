// The sheet saved as a .fiche file and opened again, and a CSV opened as a sheet: the
// library's writer and readers on sheets the real window shows (listed from catalogues the
// project's writer makes, edited and added to with the keyboard), without the menu that
// will call them. Files are patched by Python where a script or a fault is to be played.

#include "CsvFile.h"
#include "ExportTestKit.h"
#include "FicheTestSupport.h"
#include "FicheWriter.h"
#include "GridSheet.h"
#include "NumberRules.h"
#include "SheetFile.h"
#include "SheetOpening.h"
#include "SheetTestKit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace ExportTest;

namespace {

const QLocale French(QLocale::French, QLocale::France);
const QLocale English(QLocale::English, QLocale::UnitedStates);

// Texts a cell can hold that a file format can get wrong: tabs, line breaks (a carriage
// return alone too), backslashes and what looks like an escape, quotes and both CSV
// separators, blanks around, characters beyond 16 bits, an empty designation; and
// amounts from a thousand up, a negative one, a price of many decimals.
const QString HostileCatalogue =
    FicheTest::ProductColumns + QStringLiteral("\n"
                                               "T-1\tTab\\tdedans\t2\t1234.5\n"
                                               "N-2\tLigne\\nsuivante\t1\t0.125\n"
                                               "B-3\tC:\\\\dossier\\\\n\\\\t\\\\u0041\\\\uD800\t3\t12\n"
                                               "Q-4\tVis \"fraisée\" ; virgule, point\t5\t0.1\n"
                                               "S-5\t  blancs autour  \t1\t7\n"
                                               "U-6\tClé 𝄞\t4\t19.9999\n"
                                               "E-7\t\t1\t3\n"
                                               "R-8\tretour\rchariot\t1\t2\n"
                                               "V-9\tAvoir\t1\t-5\n"
                                               "L-10\tLune 😀 seule\t1\t1\n");

// The catalogue with the character beyond 16 bits of L-10 cut in half: the file's texts
// are UTF-16 units, and one written by a faulty program can hold half a character alone.
QString hostileCatalogueIn(const QTemporaryDir &dir)
{
    const QString catalogue = FicheTest::writeCatalogue(dir, HostileCatalogue);
    QFile file(catalogue);
    if (!file.open(QIODevice::ReadWrite))
        return {};
    QByteArray bytes = file.readAll();
    const qsizetype smiley = bytes.indexOf(QByteArrayView("\x3D\xD8\x00\xDE", 4));
    if (smiley < 0)
        return {};
    bytes.replace(smiley + 2, 2, "\xAC\x20");  // its second half becomes a euro sign
    file.seek(0);
    file.write(bytes);
    return catalogue;
}

QString catalogueOf(const Form2 &form)
{
    return form.module1().DatabaseFile();
}

CounterCaptions countersOf(Form2 &form)
{
    return {form.findChild<QLabel *>(QStringLiteral("nbr"))->text(),
            form.findChild<QLabel *>(QStringLiteral("totaux"))->text()};
}

// Saves the window's sheet into `file` as the menu will: whole, through writeSheetFile.
bool saveFiche(Form2 &form, const QString &file)
{
    const GridSheet sheet(grid(form));
    const CounterCaptions counters = countersOf(form);
    const SheetFileOutcome outcome = writeSheetFile(file, catalogueOf(form), [&](QIODevice &device) {
        return writeFiche(sheet, counters, form.regional(), device, {});
    });
    if (outcome.kind != SheetFileOutcome::Written)
        qWarning("not saved: %s", qPrintable(outcome.message));
    return outcome.kind == SheetFileOutcome::Written;
}

bool saveCsv(Form2 &form, const QString &file)
{
    const GridSheet sheet(grid(form));
    return writeSheetFile(file, catalogueOf(form), [&](QIODevice &device) {
               return writeSheetCsv(sheet, form.regional(), device, {});
           }).kind == SheetFileOutcome::Written;
}

QStringList titlesOf(Form2 &form)
{
    const GridSheet sheet(grid(form));
    QStringList titles;
    for (int column = 0; column < sheet.columnCount(); ++column)
        titles.append(sheet.cellText(0, column));
    return titles;
}

SheetReading open(Form2 &form, const QString &file, const RegionalSettings &rs)
{
    return readSheetFile(file, titlesOf(form), rs, {});
}

// The opened sheet as whatTheUserSees() gives a window's: the grid's header row, every
// cell, then the two counters.
QStringList asSeen(const SheetContents &sheet, Form2 &form)
{
    QStringList seen;
    for (int column = 0; column < grid(form).ColumnCount(); ++column)
        seen.append(grid(form).CellText(0, column));
    for (int line = 0; line < sheet.lineCount(); ++line) {
        for (int column = 0; column < SheetContents::Columns; ++column)
            seen.append(sheet.cell(line, column).toString());
    }
    return seen << sheet.counters.lineCount << sheet.counters.grandTotal;
}

// The line of `bytes` that holds byte `at`, from 1.
int lineHolding(const QByteArray &bytes, qsizetype at)
{
    return int(bytes.first(at).count('\n')) + 1;
}

bool writeBytes(const QString &file, const QByteArray &bytes)
{
    QFile out(file);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size();
}

// Adds a line from the entry fields, as a user types it.
void enterLine(Form2 &form, const QString &reference, const QString &quantity, const QString &discount)
{
    const FicheTest::Controls ui(form);
    ui.Ref->setFocus();
    QTest::keyClicks(ui.Ref->lineEdit(), reference);
    QTest::keyClick(ui.Ref->lineEdit(), Qt::Key_Return);
    QTest::keyClicks(ui.qte, quantity);
    QTest::keyClick(ui.qte, Qt::Key_Return);
    QTest::keyClicks(ui.remise, discount);
    QTest::keyClick(ui.remise, Qt::Key_Return);
    QTest::keyClick(ui.total, Qt::Key_Return);
}

}  // namespace

class SheetSaveOpenTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void savedSheetOpensAsShown_data();
    void savedSheetOpensAsShown();
    void cutOrChangedFileRefusedAtItsLine();
    void countersMustBelongToTheLines();
    void csvFromTheExportOpens_data();
    void csvFromTheExportOpens();
    void spreadsheetCsvOpens_data();
    void spreadsheetCsvOpens();
    void csvOfOtherColumnsRefused();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void SheetSaveOpenTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void SheetSaveOpenTest::savedSheetOpensAsShown_data()
{
    QTest::addColumn<QLocale>("savedUnder");
    QTest::addColumn<QLocale>("openedUnder");
    QTest::newRow("French settings") << French << French;
    QTest::newRow("English settings") << English << English;
    QTest::newRow("saved French, opened English") << French << English;
    QTest::newRow("saved English, opened French") << English << French;
}

// What opens is what a window under the opening user's settings shows of the same sheet:
// every cell's text, both counters; the numbers in that user's form.
void SheetSaveOpenTest::savedSheetOpensAsShown()
{
    QFETCH(QLocale, savedUnder);
    QFETCH(QLocale, openedUnder);
    const QString catalogue = hostileCatalogueIn(*m_dir);
    QVERIFY(!catalogue.isEmpty());
    const RegionalSettings opening = RegionalSettings::fromLocale(openedUnder);
    const auto saving = FicheTest::loadForm(catalogue, RegionalSettings::fromLocale(savedUnder));
    const auto shown = FicheTest::loadForm(catalogue, opening);
    const QString file = m_dir->filePath(QStringLiteral("fiche.fiche"));

    QVERIFY(whatTheUserSees(*saving).contains(QStringLiteral("Lune \xD83D\u20AC seule")));

    // As listed; then with a designation typed over (which prices every line again), a
    // zero-width no-break space in front, which a reader may take for a byte-order mark.
    for (const bool edited : {false, true}) {
        if (edited) {
            for (Form2 *form : {saving.get(), shown.get()}) {
                FicheTest::showActive(*form);
                SheetTest::editCell(grid(*form), 2, 1, QStringLiteral("\uFEFFtapé devant"));
                QTRY_COMPARE(grid(*form).CellText(2, 1), QStringLiteral("\uFEFFtapé devant"));
            }
        }
        QVERIFY(saveFiche(*saving, file));
        const SheetReading read = open(*saving, file, opening);
        QCOMPARE(read.message, QString());
        QCOMPARE(read.kind, SheetReading::Read);
        QCOMPARE(asSeen(read.sheet, *shown), whatTheUserSees(*shown));
    }
}

// Every record ends with a line feed and the file with its "fin" record: a file cut at
// any byte lacks one or the other. Every record carries the CRC of the file up to it: a
// byte changed anywhere is caught at the record that holds it.
void SheetSaveOpenTest::cutOrChangedFileRefusedAtItsLine()
{
    const auto form = FicheTest::loadForm(FicheTest::writeCatalogue(
        *m_dir, FicheTest::ProductColumns + QStringLiteral("\nA-1\tVis\\tà bois\t3\t1234.5\nB-2\tÉcrou\t10\t0.5\n")));
    const QString saved = m_dir->filePath(QStringLiteral("fiche.fiche"));
    QVERIFY(saveFiche(*form, saved));
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.count('\n') >= 6);
    QCOMPARE(open(*form, saved, form->regional()).kind, SheetReading::Read);

    const QString damaged = m_dir->filePath(QStringLiteral("abîmée.fiche"));
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        QVERIFY(writeBytes(damaged, bytes.first(length)));
        const SheetReading read = open(*form, damaged, form->regional());
        QVERIFY2(read.kind == SheetReading::Refused, qPrintable(QStringLiteral("cut after %1 bytes").arg(length)));
        QVERIFY(!read.message.isEmpty());
    }
    for (const char change : {'\x01', '\x20', '\x40'}) {
        for (qsizetype at = 0; at < bytes.size(); ++at) {
            QByteArray changed = bytes;
            changed[at] = char(changed[at] ^ change);
            QVERIFY(writeBytes(damaged, changed));
            const SheetReading read = open(*form, damaged, form->regional());
            const QString where = QStringLiteral(" : ligne %1 : ").arg(lineHolding(bytes, at));
            QVERIFY2(read.kind == SheetReading::Refused && read.message.contains(where),
                     qPrintable(QStringLiteral("byte %1 ^ %2: %3").arg(at).arg(int(change)).arg(read.message)));
        }
    }
}

// The grand total the listing shows is a running sum rounded at each line: here 9,88,
// where the cells sum to 9,87. It opens. A file whose counters a script changed (its
// checks made right) is refused at the counters' record, and so is one whose line total
// changed; after a line added with Enter the total must be the cells' sum exactly. A
// designation changed by a script opens, changed.
void SheetSaveOpenTest::countersMustBelongToTheLines()
{
    const auto form = FicheTest::loadForm(FicheTest::writeCatalogue(
        *m_dir, FicheTest::ProductColumns + QStringLiteral("\nA\tArticle\t1\t10\nB\tAvoir\t1\t-0.125\n")));
    QCOMPARE(countersOf(*form).grandTotal, QStringLiteral("9,88"));
    QCOMPARE(grid(*form).CellText(2, 5), QStringLiteral("  -0,13"));
    const QString file = m_dir->filePath(QStringLiteral("fiche.fiche"));
    const RegionalSettings &rs = form->regional();
    const QStringList counters{QStringLiteral("compteurs"), QStringLiteral("2"), QStringLiteral("9,88")};
    const QStringList article{QStringLiteral("ligne"),  QStringLiteral("A"),       QStringLiteral("Article"),
                              QStringLiteral("1"),      QStringLiteral("  10,00"), QString(),
                              QStringLiteral("  10,00")};

    QVERIFY(saveFiche(*form, file));
    SheetReading read = open(*form, file, rs);
    QCOMPARE(read.kind, SheetReading::Read);
    QCOMPARE(read.sheet.counters.grandTotal, QStringLiteral("9,88"));

    QVERIFY(rewriteFicheRecord(file, 4, QStringList(article).replaceInStrings(u"Article"_qs, u"Article\trenommé"_qs)));
    read = open(*form, file, rs);
    QCOMPARE(read.message, QString());
    QCOMPARE(read.sheet.cell(0, 1), QStringLiteral("Article\trenommé"));

    const QList<std::pair<int, QStringList>> changes{
        {3, QStringList(counters).replaceInStrings(u"9,88"_qs, u"9,90"_qs)},
        {3, QStringList(counters).replaceInStrings(u"2"_qs, u"3"_qs)},
        {4, QStringList(article).mid(0, 6) << u"  10,05"_qs},
    };
    for (const auto &[line, fields] : changes) {
        QVERIFY(saveFiche(*form, file));
        QVERIFY(rewriteFicheRecord(file, line, fields));
        read = open(*form, file, rs);
        QCOMPARE(read.kind, SheetReading::Refused);
        QVERIFY2(read.message.contains(u" : ligne 3 : "_qs), qPrintable(read.message));
    }

    FicheTest::showActive(*form);
    enterLine(*form, QStringLiteral("A"), QStringLiteral("2"), QStringLiteral("0"));
    QCOMPARE(countersOf(*form).grandTotal, QStringLiteral("29,87"));
    QVERIFY(saveFiche(*form, file));
    QCOMPARE(open(*form, file, rs).sheet.counters.grandTotal, QStringLiteral("29,87"));
    QVERIFY(rewriteFicheRecord(file, 3, {u"compteurs"_qs, u"3"_qs, u"29,88"_qs}));
    read = open(*form, file, rs);
    QCOMPARE(read.kind, SheetReading::Refused);
    QVERIFY2(read.message.contains(u" : ligne 3 : le total"_qs), qPrintable(read.message));
}

void SheetSaveOpenTest::csvFromTheExportOpens_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("French settings") << French;
    QTest::newRow("English settings") << English;
}

// The export writes the numbers plainly (1234,50): they open as those texts, the same
// numbers; every other cell exactly; the counters as Enter would count the lines.
void SheetSaveOpenTest::csvFromTheExportOpens()
{
    QFETCH(QLocale, locale);
    const RegionalSettings rs = RegionalSettings::fromLocale(locale);
    const auto form = FicheTest::loadForm(FicheTest::writeCatalogue(*m_dir, HostileCatalogue), rs);
    FicheTest::showActive(*form);
    enterLine(*form, QStringLiteral("T-1"), QStringLiteral("3"), QStringLiteral("10"));
    const QString file = m_dir->filePath(QStringLiteral("fiche.csv"));
    QVERIFY(saveCsv(*form, file));

    const SheetReading read = open(*form, file, rs);
    QCOMPARE(read.message, QString());
    const LineGrid &lines = grid(*form);
    QCOMPARE(read.sheet.lineCount(), lines.RowCount() - 1);
    for (int line = 0; line < read.sheet.lineCount(); ++line) {
        for (int column = 0; column < SheetContents::Columns; ++column) {
            const QString opened = read.sheet.cell(line, column).toString();
            const QString shown = lines.CellText(line + 1, column);
            const std::optional<double> number = TryReadLocaleDouble(shown, rs);
            if (column >= 2 && number)
                QCOMPARE(ReadLocaleDouble(opened, rs), *number);
            else
                QCOMPARE(opened, shown);
        }
    }
    QCOMPARE(read.sheet.counters.lineCount, countersOf(*form).lineCount);
    QCOMPARE(read.sheet.counters.grandTotal, countersOf(*form).grandTotal);
}

void SheetSaveOpenTest::spreadsheetCsvOpens_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("rowEnd");
    QTest::addColumn<bool>("byteOrderMark");
    QTest::addColumn<bool>("titles");
    QTest::addColumn<QStringList>("amounts");  // price, total of line 1; line 2; line 3
    QTest::addColumn<QString>("grandTotal");

    QTest::newRow("C conventions") << English << QChar(u',') << u"\n"_qs << false << false
                                   << QStringList{u"1234.50"_qs, u"2469.00"_qs, u"0.50"_qs,
                                                  u"0.45"_qs,    u"12"_qs,      u"-36"_qs}
                                   << u"2,433.45"_qs;
    QTest::newRow("French conventions") << French << QChar(u';') << u"\r\n"_qs << true << true
                                        << QStringList{u"1234,50"_qs, u"2469,00"_qs, u"0,50"_qs,
                                                       u"0,45"_qs,    u"12"_qs,      u"-36"_qs}
                                        << u"2\u202F433,45"_qs;
}

// A CSV a spreadsheet saved: quoted fields holding the separators, quotes and a line
// break, a field with blanks around; the titles' row or not. The cells open as they are.
void SheetSaveOpenTest::spreadsheetCsvOpens()
{
    QFETCH(QLocale, locale);
    QFETCH(QChar, separator);
    QFETCH(QString, rowEnd);
    QFETCH(bool, byteOrderMark);
    QFETCH(bool, titles);
    QFETCH(QStringList, amounts);
    QFETCH(QString, grandTotal);
    const RegionalSettings rs = RegionalSettings::fromLocale(locale);
    const auto form = FicheTest::loadForm(FicheTest::writeCatalogue(*m_dir, FicheTest::ProductColumns), rs);
    const QList<QStringList> lines{
        {u"A-1"_qs, u"Vis, tête \"fraisée\"; 6 mm"_qs, u"2"_qs, amounts[0], QString(), amounts[1]},
        {u"B-2"_qs, u"sur deux\nlignes"_qs, u"1"_qs, amounts[2], u"10"_qs, amounts[3]},
        {u" C-3 "_qs, u"\"entre guillemets\""_qs, u"-3"_qs, amounts[4], QString(), amounts[5]},
    };
    const QString file = m_dir->filePath(QStringLiteral("tableur.csv"));
    QVERIFY(
        writeCsv(file, titles ? QList<QStringList>{titlesOf(*form)} + lines : lines, separator, rowEnd, byteOrderMark));

    const SheetReading read = open(*form, file, rs);
    QCOMPARE(read.message, QString());
    QCOMPARE(read.sheet.lineCount(), lines.size());
    for (int line = 0; line < lines.size(); ++line) {
        for (int column = 0; column < SheetContents::Columns; ++column)
            QCOMPARE(read.sheet.cell(line, column).toString(), lines[line][column]);
    }
    QCOMPARE(read.sheet.counters.lineCount, u"3"_qs);
    QCOMPARE(read.sheet.counters.grandTotal, grandTotal);
}

// A row of five fields, named by the line it starts on (a line break inside a quoted field
// before it counts); a quote never closed; a file that is no CSV (the catalogue itself).
void SheetSaveOpenTest::csvOfOtherColumnsRefused()
{
    const QString catalogue = FicheTest::writeCatalogue(*m_dir, FicheTest::ProductColumns);
    const auto form = FicheTest::loadForm(catalogue);
    const QString file = m_dir->filePath(QStringLiteral("tableur.csv"));
    const QStringList six{u"A"_qs, u"sur\ndeux lignes"_qs, u"1"_qs, u"2,00"_qs, QString(), u"2,00"_qs};
    QVERIFY(writeCsv(file, {titlesOf(*form), six, six.mid(0, 5), six}, u';', u"\r\n"_qs, true));
    SheetReading read = open(*form, file, form->regional());
    QCOMPARE(read.kind, SheetReading::Refused);
    QVERIFY2(read.message.contains(u" : ligne 4 : 5 colonnes"_qs), qPrintable(read.message));

    QVERIFY(writeBytes(file, "A;B;1;2,00;;2,00\r\nC;\"jamais fermé;1;2,00;;2,00\r\nD;E;1;2,00;;2,00\r\n"));
    read = open(*form, file, form->regional());
    QCOMPARE(read.kind, SheetReading::Refused);
    QVERIFY2(read.message.contains(u" : ligne 2 : "_qs), qPrintable(read.message));

    read = open(*form, catalogue, form->regional());
    QCOMPARE(read.kind, SheetReading::Refused);
    QVERIFY2(read.message.contains(u" : ligne "_qs), qPrintable(read.message));
}

QTEST_MAIN(SheetSaveOpenTest)
#include "tst_sheet_save_open.moc"
