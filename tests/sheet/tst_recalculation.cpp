// Editing a cell prices every line again from its quantity, price and discount, and sets
// both counters afresh.

#include "FicheTestSupport.h"
#include "SheetTestKit.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace SheetTest;

namespace {

// ␣ in the expectations below stands for a plain space; amounts are in French settings.
QString blanks(const char *text)
{
    return QString::fromUtf8(text).replace(QStringLiteral("␣"), QStringLiteral(" "));
}

}  // namespace

class RecalculationTest : public QObject, private FicheTest::WindowFixture {
    Q_OBJECT

private slots:
    void init()
    {
        m_group = FicheTest::frenchSettings().groupSeparator;
        openWindow(FicheTest::ProductColumns + QStringLiteral("\nB1\tBloc\t3\t2.5\nC1\tCahier\t2\t1234.5\n"));
    }
    void cleanup() { closeWindow(); }

    void twoLinesWithAndWithoutDiscount()
    {
        LineGrid &g = startEmptySheet();
        g.AppendRow(QStringLiteral("R1\tD1\t2\t10\t10\t"));
        g.AppendRow(QStringLiteral("R2\tD2\t1\t5\t0\t"));
        editCell(g, 1, 1, QStringLiteral("D1 bis"));

        QCOMPARE(lineCells(g, 1), QStringList({"R1", "D1 bis", "2", blanks("␣␣10,00"), "10", blanks("␣␣18,00")}));
        QCOMPARE(lineCells(g, 2), QStringList({"R2", "D2", "1", blanks("␣␣5,00"), "0", blanks("␣␣5,00")}));
        QCOMPARE(m_ui.nbr->text(), QStringLiteral("2"));
        QCOMPARE(m_ui.totaux->text(), QStringLiteral("23,00"));
        QCOMPARE(g.RowCount(), 3);
    }

    void catalogueLinesWithoutDiscountTotalQuantityTimesPrice()
    {
        LineGrid &g = *m_ui.G;
        QCOMPARE(g.CellText(1, 0), QStringLiteral("B1"));  // "Bloc" sorts before "Cahier"
        editCell(g, 1, 2, QStringLiteral("4"));
        QCOMPARE(lineCells(g, 1), QStringList({"B1", "Bloc", "4", blanks("␣␣2,50"), "", blanks("␣␣10,00")}));
        QCOMPARE(lineCells(g, 2), QStringList({"C1", "Cahier", "2", blanks("␣1␣234,50"), "", blanks("␣2␣469,00")}));
        QCOMPARE(m_ui.nbr->text(), QStringLiteral("2"));
        QCOMPARE(m_ui.totaux->text(), QStringLiteral("2") + m_group + QStringLiteral("479,00"));
    }

    void aQuantityInLettersTotalsZero()
    {
        LineGrid &g = *m_ui.G;
        editCell(g, 2, 2, QStringLiteral("deux"));
        QCOMPARE(g.CellText(2, 2), QStringLiteral("deux"));
        QCOMPARE(g.CellText(2, 5), blanks("␣␣0,00"));
        QCOMPARE(m_ui.nbr->text(), QStringLiteral("2"));  // the line still counts
        QCOMPARE(m_ui.totaux->text(), QStringLiteral("7,50"));
    }

    void aLineTotalTypedByHandIsPricedAgain()
    {
        LineGrid &g = *m_ui.G;
        editCell(g, 1, 5, QStringLiteral("999"));
        QCOMPARE(g.CellText(1, 5), blanks("␣␣7,50"));
        QCOMPARE(m_ui.totaux->text(), QStringLiteral("2") + m_group + QStringLiteral("476,50"));
    }

    void aDesignationEditChangesOnlyThePriceFormAndTheTotal()
    {
        LineGrid &g = startEmptySheet();
        g.AppendRow(QStringLiteral("R1\tD1\t3\t12.5\t\tancien"));
        editCell(g, 1, 1, QStringLiteral("  Désignation, tapée  "));
        QCOMPARE(lineCells(g, 1), QStringList({"R1", "  Désignation, tapée  ", "3", "12.5", "", blanks("␣␣0,00")}));
    }

    void aDecimalPriceInTheUsersFormIsReformatted()
    {
        LineGrid &g = startEmptySheet();
        g.AppendRow(QStringLiteral("R1\tD1\t3\t12,5\t\t"));
        editCell(g, 1, 4, QStringLiteral("20"));
        QCOMPARE(lineCells(g, 1), QStringList({"R1", "D1", "3", blanks("␣␣12,50"), "20", blanks("␣␣30,00")}));
        QCOMPARE(m_ui.totaux->text(), QStringLiteral("30,00"));
    }

    void aPriceOfAThousandOrMoreIsReadBack()
    {
        LineGrid &g = startEmptySheet();
        g.AppendRow(blanks("R1\tD1\t1\t␣1␣234,50\t\t"));
        editCell(g, 1, 2, QStringLiteral("2"));
        QCOMPARE(g.CellText(1, 3), blanks("␣1␣234,50"));
        QCOMPARE(g.CellText(1, 5), blanks("␣2␣469,00"));
        QCOMPARE(m_ui.totaux->text(), QStringLiteral("2") + m_group + QStringLiteral("469,00"));
    }

    void anEmptySheetCountsNothing()
    {
        startEmptySheet();
        m_ui.nbr->setText(QStringLiteral("7"));
        m_form->G_CellEdited();  // no cell left for a user to edit
        QCOMPARE(m_ui.nbr->text(), QStringLiteral("0"));
        QCOMPARE(m_ui.totaux->text(), QStringLiteral("0"));
    }

private:
    LineGrid &startEmptySheet()
    {
        QTest::mouseClick(m_ui.Nouveau, Qt::LeftButton);
        return *m_ui.G;
    }

    QString m_group;
};

QTEST_MAIN(RecalculationTest)
#include "tst_recalculation.moc"
