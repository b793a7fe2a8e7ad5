// Enter in the total field: the line goes to the end of the sheet, the entry fields start
// afresh, and both counters are recounted over the whole sheet.

#include "BothLocales.h"
#include "EntryTestKit.h"
#include "FicheTestSupport.h"
#include "LineGrid.h"
#include "SheetTestKit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace EntryTest;

namespace {

// The four catalogue products listed at start: 3 × 1 234.50 + 10 × 0.50 + 1 × 7 + 2 × 19.99.
const QString ListedTotal = QStringLiteral("755.48");  // after the thousands "3"
constexpr int ListedLines = 4;

struct Fields {
    QString ref, desi, qte, prixvente, remise, total;
};

}  // namespace

Q_DECLARE_METATYPE(Fields)

class AddLineTest : public QObject, private FicheTest::WindowFixture {
    Q_OBJECT

public:
    explicit AddLineTest(const RegionalSettings &rs) : m_rs(rs) {}

private slots:
    void init() { openWindow(Catalogue, m_rs); }
    void cleanup() { closeWindow(); }

    void aLineEnteredFromTheKeyboard()
    {
        const FicheTest::Controls &f = m_ui;
        QCOMPARE(f.nbr->text(), QString::number(ListedLines));
        QCOMPARE(f.totaux->text(), grouped(QStringLiteral("3"), ListedTotal, m_rs));

        f.Ref->setFocus();
        type(refField(f), QStringLiteral("P5"));
        pressEnter(refField(f));
        type(f.qte, QStringLiteral("3"));
        pressEnter(f.qte);
        type(f.remise, QStringLiteral("10"));
        pressEnter(f.remise);
        QCOMPARE(QApplication::focusWidget(), f.total);
        QCOMPARE(f.total->selectedText(), localText(QStringLiteral("53.97"), m_rs));
        pressEnter(f.total);

        QCOMPARE(f.G->RowCount(), ListedLines + 2);
        QCOMPARE(rowCells(ListedLines + 1), QStringList({"P5", "POCHETTE PLASTIQUE", "3", localText("  19.99", m_rs),
                                                         "10", localText("  53.97", m_rs)}));
        expectFreshEntry();
        QCOMPARE(QApplication::focusWidget(), f.total);  // the focus stays for the next line
        QCOMPARE(f.nbr->text(), QString::number(ListedLines + 1));
        QCOMPARE(f.totaux->text(), grouped(QStringLiteral("3"), QStringLiteral("809.45"), m_rs));
    }

    void thePriceAndTotalCellsAreRewrittenTheRestKeptAsTyped()
    {
        const FicheTest::Controls &f = m_ui;
        type(refField(f), QStringLiteral("A1"));
        f.qte->setText(localText(QStringLiteral("2.50"), m_rs));
        retype(f.remise, QString());  // an erased discount does not stop the line
        QCOMPARE(f.total->text(), grouped(QStringLiteral("3"), QStringLiteral("086.25"), m_rs));
        pressEnterInTotal();
        QCOMPARE(rowCells(ListedLines + 1),
                 QStringList({"A1", "VIS À BOIS", localText("2.50", m_rs), localText(" 1 234.50", m_rs), "",
                              localText(" 3 086.25", m_rs)}));
    }

    void nothingIsAddedWhenALineIsIncomplete_data()
    {
        QTest::addColumn<Fields>("fields");
        const Fields complete{"P5", "POCHETTE", "3", "19.99", "10", "53.97"};
        auto with = [&](auto member, const char *value) {
            Fields changed = complete;
            changed.*member = QString::fromUtf8(value);
            return changed;
        };
        QTest::newRow("no reference") << with(&Fields::ref, "");
        QTest::newRow("no designation") << with(&Fields::desi, "");
        QTest::newRow("quantity 0") << with(&Fields::qte, "0");
        QTest::newRow("empty quantity") << with(&Fields::qte, "");
        QTest::newRow("quantity in letters") << with(&Fields::qte, "trois");
        QTest::newRow("price 0") << with(&Fields::prixvente, "0");
        QTest::newRow("empty price") << with(&Fields::prixvente, "");
        QTest::newRow("total 0") << with(&Fields::total, "0.00");
        QTest::newRow("total in letters") << with(&Fields::total, "beaucoup");
    }
    void nothingIsAddedWhenALineIsIncomplete()
    {
        QFETCH(Fields, fields);
        const FicheTest::Controls &f = m_ui;
        fill(fields);
        pressEnterInTotal();
        QCOMPARE(f.G->RowCount(), ListedLines + 1);
        QCOMPARE(f.Ref->currentText(), fields.ref);
        QCOMPARE(f.desi->text(), fields.desi);
        QCOMPARE(f.qte->text(), localText(fields.qte, m_rs));
        QCOMPARE(f.prixvente->text(), localText(fields.prixvente, m_rs));
        QCOMPARE(f.total->text(), localText(fields.total, m_rs));
        QCOMPARE(f.nbr->text(), QString::number(ListedLines));
    }

    void unusualButCompleteLinesAreAdded_data()
    {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QString>("lineTotalCell");
        QTest::newRow("negative quantity") << Fields{"P5", "POCHETTE", "-2", "19.99", "0", "-39.98"} << "  -39.98";
        QTest::newRow("designation of blanks") << Fields{"P5", "  ", "1", "5", "0", "5.00"} << "  5.00";
        QTest::newRow("reference not in the catalogue")
            << Fields{"LIBRE", "Article libre", "1", "5", "0", "5"} << "  5.00";
    }
    void unusualButCompleteLinesAreAdded()
    {
        QFETCH(Fields, fields);
        QFETCH(QString, lineTotalCell);
        fill(fields);
        pressEnterInTotal();
        QCOMPARE(m_ui.G->RowCount(), ListedLines + 2);
        QCOMPARE(m_ui.G->CellText(ListedLines + 1, 2), localText(fields.qte, m_rs));
        QCOMPARE(m_ui.G->CellText(ListedLines + 1, 5), shown(lineTotalCell, m_rs));
        expectFreshEntry();
    }

    void anotherKeyInTheTotalIsJustTyped()
    {
        const FicheTest::Controls &f = m_ui;
        fill({"P5", "POCHETTE", "3", "19.99", "10", "53.97"});
        f.total->setFocus();
        f.total->end(false);
        type(f.total, QStringLiteral("1"));
        QCOMPARE(f.total->text(), localText(QStringLiteral("53.971"), m_rs));
        QCOMPARE(f.G->RowCount(), ListedLines + 1);
    }

    void theCountersCoverTheWholeSheet()
    {
        const FicheTest::Controls &f = m_ui;
        // The line of A1 (3 703,50) gets a line total that is not a number. Written by the
        // program, since a user's edit would be priced again at once by the recalculation.
        int lineOfA1 = 1;
        while (f.G->CellText(lineOfA1, 0) != QLatin1String("A1"))
            ++lineOfA1;
        f.G->setCellText(lineOfA1, 5, QStringLiteral("illisible"));

        fill({"P5", "POCHETTE", "1", "19.99", "0", "19.99"});
        pressEnterInTotal();
        // Every line counts; the sum is 3 755,48 listed − 3 703,50 unreadable + 19,99 added.
        QCOMPARE(f.nbr->text(), QString::number(ListedLines + 1));
        QCOMPARE(f.totaux->text(), localText(QStringLiteral("71.97"), m_rs));
    }

    void aReferenceAlreadyOnTheSheetIsAddedAgainAtTheEnd()
    {
        const FicheTest::Controls &f = m_ui;
        f.G->setCurrentRow(1);  // a line selected in the middle makes no difference
        for (int time = 1; time <= 2; ++time) {
            fill({"X1", "ÉCROU", "1", "0.5", "0", "0.50"});
            pressEnterInTotal();
            QCOMPARE(f.G->CellText(ListedLines + time, 0), QStringLiteral("X1"));
        }
        QCOMPARE(f.G->RowCount(), ListedLines + 3);
        QCOMPARE(f.nbr->text(), QString::number(ListedLines + 2));
    }

    // On a sheet longer than the grid shows, the line just added comes into view at the
    // bottom; the line the user had selected stays selected.
    void theNewLineIsSeen()
    {
        const FicheTest::Controls &f = m_ui;
        for (int line = 0; line < 300; ++line)
            f.G->AppendRow(QStringLiteral("L\tLigne\t1\t1\t\t1"));
        f.G->setCurrentRow(2);
        f.G->scrollToTop();
        fill({"P5", "POCHETTE", "1", "19.99", "0", "19.99"});
        pressEnterInTotal();

        const int lastLine = f.G->RowCount() - 2;  // model rows leave the header out
        QCOMPARE(f.G->CellText(lastLine + 1, 0), QStringLiteral("P5"));
        const QRect shown = f.G->viewport()->rect();
        QVERIFY(shown.contains(f.G->visualRect(f.G->model()->index(lastLine, 0))));
        QCOMPARE(f.G->CurrentRow(), 2);
        QCOMPARE(f.G->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(f.G->selectionModel()->selectedRows().front().row(), 1);
    }

    // A catalogue designation may hold a tab, which the field the look-up fills shows as
    // blank space. The added line takes it as a blank and keeps its six cells, total
    // included; the listed line keeps it as stored, in its one cell. A copy of either line
    // still gives a spreadsheet six cells.
    void aTabInACatalogueTextStaysInItsCell()
    {
        openWindow(FicheTest::ProductColumns + QStringLiteral("\nT1\tStylo\\tbleu\t2\t1.5\n"), m_rs);
        const FicheTest::Controls &f = m_ui;
        QCOMPARE(rowCells(1),
                 QStringList({"T1", "Stylo\tbleu", "2", localText("  1.50", m_rs), "", localText("  3.00", m_rs)}));

        f.Ref->setFocus();
        type(refField(f), QStringLiteral("T1"));
        pressEnter(refField(f));
        QCOMPARE(f.desi->text(), QStringLiteral("STYLO\tBLEU"));
        type(f.qte, QStringLiteral("3"));
        pressEnter(f.qte);
        type(f.remise, QStringLiteral("10"));
        pressEnter(f.remise);
        pressEnter(f.total);

        QCOMPARE(f.G->RowCount(), 3);
        QCOMPARE(rowCells(2),
                 QStringList({"T1", "STYLO BLEU", "3", localText("  1.50", m_rs), "10", localText("  4.05", m_rs)}));
        QCOMPARE(f.nbr->text(), QStringLiteral("2"));
        QCOMPARE(f.totaux->text(), localText(QStringLiteral("7.05"), m_rs));

        // Ctrl+C on a line: the header row, then the line, one cell a field.
        const QString header = QStringLiteral("Référence\tDésignation\tQté\tPrix Vente\tRemise\tPrix Total\n");
        SheetTest::clickLine(*f.G, 1);
        QTest::keySequence(f.G, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 header + QStringLiteral("T1\t\"Stylo\tbleu\"\t2\t%1\t\t%2\n")
                              .arg(localText("1.50", m_rs), localText("3.00", m_rs)));
        SheetTest::clickLine(*f.G, 2);
        QTest::keySequence(f.G, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 header + QStringLiteral("T1\tSTYLO BLEU\t3\t%1\t10\t%2\n")
                              .arg(localText("1.50", m_rs), localText("4.05", m_rs)));
    }

private:
    // Puts the texts in place in entry order (the reference first, since its look-up resets
    // the others), writing decimals the way the settings under test do.
    void fill(const Fields &fields)
    {
        const FicheTest::Controls &f = m_ui;
        f.Ref->setEditText(fields.ref);
        f.desi->setText(fields.desi);
        f.qte->setText(localText(fields.qte, m_rs));
        f.prixvente->setText(localText(fields.prixvente, m_rs));
        f.total->setText(localText(fields.total, m_rs));
        QSignalBlocker quiet(f.remise);  // keep the total given above
        f.remise->setText(fields.remise);
    }

    void pressEnterInTotal()
    {
        m_ui.total->setFocus();
        pressEnter(m_ui.total);
    }

    QStringList rowCells(int row) const { return SheetTest::lineCells(*m_ui.G, row); }

    void expectFreshEntry()
    {
        const FicheTest::Controls &f = m_ui;
        QCOMPARE(f.Ref->currentText(), QString());
        QCOMPARE(f.desi->text(), QString());
        QCOMPARE(f.qte->text(), QStringLiteral("0"));
        QCOMPARE(f.remise->text(), QStringLiteral("0"));
        QCOMPARE(f.total->text(), QStringLiteral("0"));
        QCOMPARE(f.prixvente->text(), QStringLiteral("0"));
    }

    RegionalSettings m_rs;
};

FICHE_TEST_IN_BOTH_LOCALES(AddLineTest)
#include "tst_add_line.moc"
