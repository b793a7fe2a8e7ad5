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

    // Typed into the grid with the price last, so that the line is priced from the typed
    // text. The discount amount and the gross amount are each rounded to four decimals
    // before the subtraction, and each case shows one of the roundings in the cents: at
    // 3 × 44,4433 less 50 %, the discount of 66,66495 goes in as 66,665 (66,67 unrounded);
    // at 0,5 × 12,0717 less 2,5 %, the gross amount 6,03585 as 6,0358 (5,89 unrounded).
    void theAmountsAreRoundedBeforeTheSubtraction_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("total");
        const auto addCase = [](const char *name, const char *quantity, const char *price, const char *discount,
                                const char *total) {
            QTest::newRow(name) << QString::fromLatin1(quantity) << QString::fromLatin1(price)
                                << QString::fromLatin1(discount) << QString::fromLatin1(total);
        };
        addCase("discount amount, 3 × 44,4433 − 50 %", "3", "44,4433", "50", "66,66");
        addCase("discount amount, 1 × 21,3899 − 50 %", "1", "21,3899", "50", "10,69");
        addCase("gross amount, 0,5 × 12,0717 − 2,5 %", "0,5", "12,0717", "2,5", "5,88");
        addCase("gross amount, 1,5 × 15,1027 − 7,5 %", "1,5", "15,1027", "7,5", "20,95");
    }

    void theAmountsAreRoundedBeforeTheSubtraction()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, price);
        QFETCH(QString, discount);
        QFETCH(QString, total);
        LineGrid &g = startEmptySheet();
        g.AppendRow(QStringLiteral("R1\tD1\t\t\t\t"));
        editCell(g, 1, 2, quantity);
        editCell(g, 1, 4, discount);
        editCell(g, 1, 3, price);
        QCOMPARE(g.CellText(1, 5), blanks("␣␣") + total);
        QCOMPARE(m_ui.totaux->text(), total);
    }

    // Amounts near the end of Currency's range. Once the second line's quantity is 1, the
    // first two lines sum beyond that range: the second adds nothing, and the grand total is
    // the first and the third, though the three would sum within the range in another order.
    void aLineBeyondTheRangeOfTheSumAddsNothing()
    {
        openWindow(FicheTest::ProductColumns + QStringLiteral("\nM1\tA\t1\t500000000000000\n"
                                                              "M2\tB\t-1\t500000000000000\n"
                                                              "M3\tC\t1\t-400000000000000\n"));
        LineGrid &g = *m_ui.G;
        editCell(g, 2, 2, QStringLiteral("1"));
        const QString five = QStringLiteral("500000000 000 000,00");
        const QString four = QStringLiteral("-400000000 000 000,00");
        QCOMPARE(lineCells(g, 1), QStringList({"M1", "A", "1", five, "", five}));
        QCOMPARE(lineCells(g, 2), QStringList({"M2", "B", "1", five, "", five}));
        QCOMPARE(lineCells(g, 3), QStringList({"M3", "C", "1", four, "", four}));
        QCOMPARE(m_ui.nbr->text(), QStringLiteral("3"));
        QCOMPARE(m_ui.totaux->text(), QStringList({"100", "000", "000", "000", "000,00"}).join(m_group));
    }

    // A money price beyond fifteen significant digits: the recalculation reads the price
    // cell as a double, so it rewrites the cell with other cents, and the next edit prices
    // the line from that text. A price below that keeps its text edit after edit.
    void aPriceBeyondFifteenDigitsIsRewritten()
    {
        openWindow(FicheTest::ProductColumns + QStringLiteral("\nG1\tGros\t3\t12345678901234.56\n"
                                                              "P1\tPetit\t3\t2.5\n"
                                                              "Q1\tQuart\t2\t19.99\n"));
        LineGrid &g = *m_ui.G;
        QCOMPARE(lineCells(g, 1), QStringList({"G1", "Gros", "3", "12345678 901 234,56", "", "37037036 703 703,68"}));
        editCell(g, 2, 1, QStringLiteral("Petit bis"));
        QCOMPARE(lineCells(g, 1), QStringList({"G1", "Gros", "3", "12345678 901 234,60", "", "37037036 703 703,70"}));
        QCOMPARE(lineCells(g, 2), QStringList({"P1", "Petit bis", "3", blanks("␣␣2,50"), "", blanks("␣␣7,50")}));
        QCOMPARE(lineCells(g, 3), QStringList({"Q1", "Quart", "2", blanks("␣␣19,99"), "", blanks("␣␣39,98")}));
        editCell(g, 2, 1, QStringLiteral("Petit"));
        QCOMPARE(lineCells(g, 1), QStringList({"G1", "Gros", "3", "12345678 901 234,60", "", "37037036 703 703,80"}));
        QCOMPARE(lineCells(g, 2), QStringList({"P1", "Petit", "3", blanks("␣␣2,50"), "", blanks("␣␣7,50")}));
        QCOMPARE(lineCells(g, 3), QStringList({"Q1", "Quart", "2", blanks("␣␣19,99"), "", blanks("␣␣39,98")}));
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
