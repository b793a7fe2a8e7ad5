// Any text typed into any entry field or grid cell: letters, separators or signs alone,
// numbers at the edge of the double range, ten thousand digits, a hundred thousand
// characters, control characters, right-to-left text. The window must go on answering,
// report nothing, and show what the number rules make of each text: an unreadable or
// overflowing quantity or price prices the line at zero, an unreadable or overflowing
// discount leaves it undiscounted, and only a readable non-zero total adds a line.

#include "FicheTestSupport.h"
#include "LineGrid.h"
#include "NumberRules.h"
#include "SheetTestKit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <cmath>

namespace {

// One product: two at 10 make a line of 20.
const QString Catalogue = FicheTest::ProductColumns + QStringLiteral("\nP1\tPince\t2\t10");

struct Input {
    const char *name;
    QString text;
    bool pasted;         // too long to type key by key in a test (every key reprices the line): pasted
    bool nonZeroNumber;  // a number other than zero, within the double range
};

QList<Input> inputs(const RegionalSettings &rs)
{
    return {
        {"letters", QStringLiteral("abcXYZ"), false, false},
        {"decimal separator alone", rs.decimalSeparator, false, false},
        {"group separator alone", rs.groupSeparator, false, false},
        {"period alone", QStringLiteral("."), false, false},
        {"minus sign alone", rs.minusSign, false, false},
        {"plus sign alone", QStringLiteral("+"), false, false},
        {"1e308", QStringLiteral("1e308"), false, true},
        {"-1e308", rs.minusSign + QStringLiteral("1e308"), false, true},
        {"10 000 digits", QString(10000, u'9'), true, false},
        {"100 000 characters", QString(100000, u'x'), true, false},
        {"control characters", QStringLiteral("\x01\x02\t\x1b\x7f"), true, false},
        {"right-to-left", QStringLiteral("שלום עולם \u202Eمرحبا"), false, false},
    };
}

void typeInto(QWidget *field, const QString &text)
{
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(character), Qt::NoModifier);
}

// Replaces the field's text as the user would, key by key or by a paste.
void enter(QLineEdit *field, const QString &text, bool pasted)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    if (pasted)
        field->insert(text);
    else
        typeInto(field, text);
}

// The rules say the text is no number, or one whose product with `factor` overflows.
bool unreadableOrOverflowing(const QString &text, double factor, const RegionalSettings &rs)
{
    const std::optional<double> value = TryReadLocaleDouble(text, rs);
    return !value || !std::isfinite(*value * factor);
}

// A line ready to be added: P1, quantity 2, no discount typed, priced 20.
void startLine(const FicheTest::Controls &form)
{
    form.Ref->setEditText(QStringLiteral("P1"));
    form.qte->setText(QStringLiteral("2"));
    enter(form.remise, QStringLiteral("0"), false);
}

// The window still takes keys and answers them after the text.
void checkStillAnswering(const FicheTest::Controls &form, const FicheTest::CollectedReports &reports)
{
    enter(form.qte, QStringLiteral("7"), false);
    QCOMPARE(form.qte->text(), QStringLiteral("7"));
    QCOMPARE(reports.reports().size(), 0);
}

}  // namespace

class AnyTextTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void entryField_data();
    void entryField();
    void gridCell_data();
    void gridCell();

private:
    QTemporaryDir m_dir;
    QString m_catalogue;
    RegionalSettings m_rs = FicheTest::frenchSettings();
};

void AnyTextTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_catalogue = FicheTest::writeCatalogue(m_dir, Catalogue);
}

void AnyTextTest::entryField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<bool>("nonZeroNumber");
    for (const char *field : {"Ref", "desi", "qte", "prixvente", "remise", "total"}) {
        for (const Input &input : inputs(m_rs))
            QTest::addRow("%s: %s", field, input.name)
                << QString::fromLatin1(field) << input.text << input.pasted << input.nonZeroNumber;
    }
}

void AnyTextTest::entryField()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, pasted);
    QFETCH(bool, nonZeroNumber);
    FicheTest::CollectedReports reports;
    const auto form = FicheTest::loadForm(m_catalogue, m_rs);
    const FicheTest::Controls ui(*form);
    FicheTest::showActive(*form);
    startLine(ui);
    QCOMPARE(ui.total->text(), FormatStandard(20.0, m_rs));
    const int rowsBefore = ui.G->RowCount();
    const QString zeroAmount = FormatStandard(0.0, m_rs);

    if (field == u"Ref") {
        enter(ui.Ref->lineEdit(), text, pasted);
        // No product has that reference: a fresh, empty line.
        QCOMPARE(ui.desi->text(), QString());
        QCOMPARE(ui.prixvente->text(), PlainNumberText(std::int16_t{0}, m_rs));
    } else if (field == u"desi") {
        enter(ui.desi, text, pasted);
        QCOMPARE(ui.total->text(), FormatStandard(20.0, m_rs));
    } else if (field == u"qte" || field == u"prixvente") {
        QLineEdit *edited = field == u"qte" ? ui.qte : ui.prixvente;
        enter(edited, text, pasted);
        QVERIFY(unreadableOrOverflowing(edited->text(), field == u"qte" ? 10 : 2, m_rs));
        enter(ui.remise, QStringLiteral("5"), false);  // the total follows the discount
        QCOMPARE(ui.total->text(), zeroAmount);
    } else if (field == u"remise") {
        enter(ui.remise, text, pasted);
        QVERIFY(unreadableOrOverflowing(ui.remise->text(), 20, m_rs));
        QCOMPARE(ui.total->text(), FormatStandard(20.0, m_rs));
    } else {
        enter(ui.total, text, pasted);
        QTest::keyClick(ui.total, Qt::Key_Return);
        QCOMPARE(ui.G->RowCount(), rowsBefore + (nonZeroNumber ? 1 : 0));
    }
    checkStillAnswering(ui, reports);
}

void AnyTextTest::gridCell_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("pasted");
    for (int column = 0; column < 6; ++column) {
        for (const Input &input : inputs(m_rs))
            QTest::addRow("column %d: %s", column, input.name) << column << input.text << input.pasted;
    }
}

void AnyTextTest::gridCell()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(bool, pasted);
    FicheTest::CollectedReports reports;
    const auto form = FicheTest::loadForm(m_catalogue, m_rs);
    const FicheTest::Controls ui(*form);
    FicheTest::showActive(*form);
    LineGrid &grid = *ui.G;
    QCOMPARE(grid.RowCount(), 2);  // the listed product: 2 × 10

    const QPoint centre = SheetTest::cellCentre(grid, 1, column);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centre);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY2(editor, "a double-click on a cell opens its editor");
    enter(editor, text, pasted);
    const QString committed = editor->text();
    const QPointer<QLineEdit> open(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!open || !open->isVisible());

    double lineTotal = 20;
    if (column == 2) {
        QVERIFY(unreadableOrOverflowing(committed, 10, m_rs));
        lineTotal = 0;
    } else if (column == 3) {
        QVERIFY(unreadableOrOverflowing(committed, 2, m_rs));
        QCOMPARE(grid.CellText(1, 3), FormatAmount(committed, m_rs));
        lineTotal = 0;
    } else if (column == 4) {
        QVERIFY(unreadableOrOverflowing(committed, 2, m_rs));  // discount × quantity first
    }
    QCOMPARE(grid.RowCount(), 2);
    QCOMPARE(grid.CellText(1, 5), FormatAmount(lineTotal, m_rs));
    QCOMPARE(ui.nbr->text(), QStringLiteral("1"));
    QCOMPARE(ui.totaux->text(), FormatStandard(lineTotal, m_rs));
    checkStillAnswering(ui, reports);
}

QTEST_MAIN(AnyTextTest)
#include "tst_any_text.moc"
