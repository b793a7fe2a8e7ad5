// The line grid: its operations as the handlers use them, its header, and the user's
// edits, which alone raise CellEdited.

#include "FicheTestSupport.h"
#include "LineGrid.h"
#include "SheetTestKit.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

using namespace SheetTest;

namespace {

const QString SixCells = QStringLiteral("R1\tVis\t2\t  1,50\t\t  3,00");

}  // namespace

class LineGridTest : public QObject, private FicheTest::WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cutBackToTheHeaderThenAppend();
    void appendSplitsOnTabs_data();
    void appendSplitsOnTabs();
    void cellWritesReadBack();
    void outOfRange_data();
    void outOfRange();
    void headerTitlesAndJustification_data();
    void headerTitlesAndJustification();
    void columnWidthsFromTheFormat();
    void userEditRaisesCellEdited_data();
    void userEditRaisesCellEdited();
    void unchangedEditRaisesNothing();
    void programWritesRaiseNothing();
    void currentRowFollowsTheUser();

private:
    LineGrid *m_grid = nullptr;
};

void LineGridTest::initTestCase()
{
    openWindow(FicheTest::ProductColumns + QStringLiteral("\nA\tAxe\t1\t2\n"));
    m_grid = m_ui.G;
}

// Every test starts from three known lines.
void LineGridTest::init()
{
    m_grid->setRowCount(1);
    for (int line = 1; line <= 3; ++line)
        m_grid->AppendRow(QStringLiteral("R%1\tLigne %1\t%1\t  1,00\t\t  %1,00").arg(line));
}

void LineGridTest::cutBackToTheHeaderThenAppend()
{
    QCOMPARE(m_grid->RowCount(), 4);
    m_grid->setRowCount(1);
    QCOMPARE(m_grid->RowCount(), 1);
    QCOMPARE(m_grid->CellText(0, 1).trimmed(), QStringLiteral("Désignation"));

    m_grid->AppendRow(SixCells);
    QCOMPARE(m_grid->RowCount(), 2);
    const QStringList expected = SixCells.split(u'\t');
    for (int column = 0; column < 6; ++column)
        QCOMPARE(m_grid->CellText(1, column), expected[column]);
    QCOMPARE(m_grid->ColumnCount(), 6);
}

void LineGridTest::appendSplitsOnTabs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("cells");

    QTest::newRow("six fields") << SixCells << SixCells.split(u'\t');
    QTest::newRow("fewer fields: the rest stay empty")
        << QStringLiteral("R\tVis") << QStringList{"R", "Vis", "", "", "", ""};
    QTest::newRow("more fields: the extra ones are dropped")
        << QStringLiteral("a\tb\tc\td\te\tf\tg") << QStringList{"a", "b", "c", "d", "e", "f"};
    QTest::newRow("empty text") << QString() << QStringList{"", "", "", "", "", ""};
}

void LineGridTest::appendSplitsOnTabs()
{
    QFETCH(QString, text);
    QFETCH(QStringList, cells);
    m_grid->AppendRow(text);
    QCOMPARE(m_grid->RowCount(), 5);
    for (int column = 0; column < 6; ++column)
        QCOMPARE(m_grid->CellText(4, column), cells[column]);
}

void LineGridTest::cellWritesReadBack()
{
    m_grid->setCellText(2, 3, QStringLiteral(" 1 234,50"));
    QCOMPARE(m_grid->CellText(2, 3), QStringLiteral(" 1 234,50"));
    m_grid->exchangeRows(3, 2);  // a cell written in a longer text travels with its line
    QCOMPARE(m_grid->CellText(2, 0), QStringLiteral("R3"));
    QCOMPARE(m_grid->CellText(2, 5), QStringLiteral("  3,00"));
    QCOMPARE(m_grid->CellText(3, 3), QStringLiteral(" 1 234,50"));
    QCOMPARE(m_grid->CellText(3, 5), QStringLiteral("  2,00"));
    // What the user sees is what was written.
    QCOMPARE(m_grid->model()->index(2, 3).data().toString(), QStringLiteral(" 1 234,50"));
    QCOMPARE(m_grid->CellText(1, 0), QStringLiteral("R1"));
}

void LineGridTest::outOfRange_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");

    QTest::newRow("row past the last") << 4 << 0;
    QTest::newRow("negative row") << -1 << 0;
    QTest::newRow("column past the last") << 1 << 6;
    QTest::newRow("negative column") << 0 << -1;
}

void LineGridTest::outOfRange()
{
    QFETCH(int, row);
    QFETCH(int, column);
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            if (attempt == 0)
                m_grid->CellText(row, column);
            else
                m_grid->setCellText(row, column, QStringLiteral("x"));
            QFAIL("no error raised");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.number(), 381);
            QCOMPARE(error.description(), QStringLiteral("Indice hors limites"));
        }
    }
    QCOMPARE(m_grid->RowCount(), 4);
}

void LineGridTest::headerTitlesAndJustification_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("horizontal");

    // Each title with the blanks the column format gives it around the title.
    const auto blanks = [](int count) { return QString(count, u' '); };
    QTest::newRow("reference") << 0 << "Référence" + blanks(25) << int(Qt::AlignHCenter);
    QTest::newRow("designation") << 1 << blanks(13) + "Désignation" + blanks(70) << int(Qt::AlignLeft);
    QTest::newRow("quantity") << 2 << blanks(5) + "Qté" + blanks(8) << int(Qt::AlignHCenter);
    QTest::newRow("price") << 3 << blanks(4) + "Prix Vente" + blanks(2) << int(Qt::AlignHCenter);
    QTest::newRow("discount") << 4 << blanks(1) + "Remise" + blanks(2) << int(Qt::AlignHCenter);
    QTest::newRow("line total") << 5 << blanks(4) + "Prix Total" + blanks(11) << int(Qt::AlignHCenter);
}

void LineGridTest::headerTitlesAndJustification()
{
    QFETCH(int, column);
    QFETCH(QString, title);
    QFETCH(int, horizontal);

    QCOMPARE(m_grid->CellText(0, column), title);
    const QAbstractItemModel &model = *m_grid->model();
    QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), title);  // what the header draws
    QCOMPARE(model.headerData(column, Qt::Horizontal, Qt::AccessibleTextRole).toString(), title.trimmed());
    const auto headerAlignment = model.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>();
    QCOMPARE(int(headerAlignment & Qt::AlignHorizontal_Mask), horizontal);
    const auto cellAlignment = model.index(0, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    QCOMPARE(int(cellAlignment & Qt::AlignHorizontal_Mask), horizontal);
    QVERIFY(m_grid->horizontalHeader()->isVisible());
}

// Each column is as wide as its whole segment of the column format, the blanks around its
// title and its justification mark included. In a font whose characters are all as wide, the
// widths go as the segments' lengths, counted here by hand: 35, 94, 17, 17, 10 and 26
// characters (with the five "|", the format's 204). Set in a new font, the grid sizes its
// columns afresh.
void LineGridTest::columnWidthsFromTheFormat()
{
    const QFont shown = m_grid->font();
    QFont fixed(QStringLiteral("DejaVu Sans Mono"));
    fixed.setPointSize(shown.pointSize() + 2);
    if (!QFontInfo(fixed).fixedPitch())
        QSKIP("no font whose characters are all as wide (DejaVu Sans Mono) on this machine");
    m_grid->setFont(fixed);
    const double character = QFontMetricsF(m_grid->font()).horizontalAdvance(u'0');
    const int lengths[] = {35, 94, 17, 17, 10, 26};
    for (int column = 0; column < 6; ++column) {
        const double expected = lengths[column] * character;
        QVERIFY2(std::abs(m_grid->columnWidth(column) - expected) <= 1,
                 qPrintable(QStringLiteral("column %1: %2 pixels, %3 expected")
                                .arg(column)
                                .arg(m_grid->columnWidth(column))
                                .arg(expected)));
    }
    m_grid->setFont(shown);
}

void LineGridTest::userEditRaisesCellEdited_data()
{
    QTest::addColumn<bool>("byDoubleClick");
    QTest::newRow("double-click, retype, Enter") << true;
    QTest::newRow("typing into the selected cell, Enter") << false;
}

void LineGridTest::userEditRaisesCellEdited()
{
    QFETCH(bool, byDoubleClick);
    // What the handler would read when the notification comes.
    QStringList seen;
    const auto connection = connect(m_grid, &LineGrid::CellEdited, this, [&] { seen << m_grid->CellText(2, 2); });

    QWidget *cells = m_grid->viewport();
    QTest::mouseClick(cells, Qt::LeftButton, {}, cellCentre(*m_grid, 2, 2));
    if (byDoubleClick) {
        QTest::mouseDClick(cells, Qt::LeftButton, {}, cellCentre(*m_grid, 2, 2));
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor && editor != m_grid);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, QStringLiteral("7"));
        QTest::keyClick(editor, Qt::Key_Return);
    } else {
        QTest::keyClicks(m_grid, QStringLiteral("7"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    // The editor hands its text over once control is back in the event loop.
    QTRY_COMPARE(seen, QStringList{QStringLiteral("7")});
    disconnect(connection);

    QCOMPARE(m_grid->CellText(2, 2), QStringLiteral("7"));
}

void LineGridTest::unchangedEditRaisesNothing()
{
    QSignalSpy edited(m_grid, &LineGrid::CellEdited);
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(*m_grid, 1, 1));
    QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(*m_grid, 1, 1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), m_grid);  // the editor has closed
    QCOMPARE(edited.count(), 0);
    QCOMPARE(m_grid->CellText(1, 1), QStringLiteral("Ligne 1"));
}

void LineGridTest::programWritesRaiseNothing()
{
    QSignalSpy edited(m_grid, &LineGrid::CellEdited);
    m_grid->setCellText(1, 2, QStringLiteral("9"));
    m_grid->exchangeRows(2, 3);
    m_grid->AppendRow(SixCells);
    m_grid->setRowCount(1);
    QCOMPARE(edited.count(), 0);
}

void LineGridTest::currentRowFollowsTheUser()
{
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(*m_grid, 3, 4));
    QCOMPARE(m_grid->CurrentRow(), 3);
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cellCentre(*m_grid, 1, 0));
    QCOMPARE(m_grid->CurrentRow(), 1);
    m_grid->setCurrentRow(2);
    QCOMPARE(m_grid->CurrentRow(), 2);
    m_grid->setRowCount(1);
    QCOMPARE(m_grid->CurrentRow(), 0);
}

QTEST_MAIN(LineGridTest)
#include "tst_line_grid.moc"
