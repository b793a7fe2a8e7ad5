// Copying the sheet and finding a line, on the real window: the clipboard's two forms after
// "Copier" (Ctrl+C on the grid) and "Copier toute la fiche" (the grid's menu), the entries
// an empty sheet disables, and the search through the find box and F3, blind to accents
// and case, wrapping, and telling when no line matches. None of it changes the sheet, the
// counters or the focus chain, or raises CellEdited.

#include "ExportTestKit.h"
#include "FicheTestSupport.h"
#include "SheetTestKit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QTextTable>

using namespace ExportTest;

namespace {

const QString Catalogue = FicheTest::ProductColumns + QStringLiteral("\n"
                                                                     "EQU-45\tÉquerre 45° transparente\t16\t1.95\n"
                                                                     "PIL-1\tCœur de pile\t2\t1234.5\n"
                                                                     "ETA-10\tétau d'établi\t1\t89\n"
                                                                     "AGR-1\tAgrafeuse\t10\t12.4\n"
                                                                     "REG-30\tRègle 30 cm\t5\t1.1\n");

const QString HeaderRow = QStringLiteral("Référence\tDésignation\tQté\tPrix Vente\tRemise\tPrix Total");

int rowOf(LineGrid &lines, const QString &reference)
{
    for (int row = 1; row < lines.RowCount(); ++row) {
        if (lines.CellText(row, 0) == reference)
            return row;
    }
    return 0;
}

// The cells of the clipboard's HTML table, row by row, as an HTML reader finds them.
QList<QStringList> htmlTable(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    QList<QStringList> rows;
    for (QTextFrame *frame : document.rootFrame()->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(frame);
        for (int row = 0; table && row < table->rows(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                QTextCursor text = cell.firstCursorPosition();
                text.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                cells.append(text.selectedText());
            }
            rows.append(cells);
        }
    }
    return rows;
}

QList<QStringList> plainTable(const QString &plain)
{
    QList<QStringList> rows;
    for (const QString &row : plain.split(u'\n', Qt::SkipEmptyParts))
        rows.append(row.split(u'\t'));
    return rows;
}

QStringList focusChain(Form2 &form)
{
    QStringList names;
    QWidget *next = &form;
    do {
        names.append(next->objectName());
        next = next->nextInFocusChain();
    } while (next != &form);
    return names;
}

}  // namespace

class SheetCopyFindTest : public QObject, private FicheTest::WindowFixture {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void copyTheCurrentLine();
    void copyTheWholeSheet();
    void emptySheetDisablesEverything();
    void findALine_data();
    void findALine();
    void findNextGoesOnAndWraps();

private:
    void clickLine(const QString &reference);
    void search(const QString &text);

    LineGrid *m_grid = nullptr;
    std::unique_ptr<Answers> m_answers;
    std::unique_ptr<QSignalSpy> m_edits;
    QStringList m_seen;
    QStringList m_focusChain;
};

void SheetCopyFindTest::init()
{
    openWindow(Catalogue);
    m_grid = m_ui.G;
    m_answers = std::make_unique<Answers>(QString());
    answerDialogs(*m_form, *m_answers);
    m_edits = std::make_unique<QSignalSpy>(m_grid, &LineGrid::CellEdited);
    m_seen = whatTheUserSees(*m_form);
    m_focusChain = focusChain(*m_form);
    QGuiApplication::clipboard()->setText(QStringLiteral("avant"));
}

// Whatever a test did, the sheet reads as before and no edit was seen.
void SheetCopyFindTest::cleanup()
{
    if (!m_form)
        return;
    QCOMPARE(m_edits->count(), 0);
    QCOMPARE(focusChain(*m_form), m_focusChain);
    if (m_grid->RowCount() > 1)
        QCOMPARE(whatTheUserSees(*m_form), m_seen);
    closeWindow();
}

void SheetCopyFindTest::clickLine(const QString &reference)
{
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {},
                      SheetTest::cellCentre(*m_grid, rowOf(*m_grid, reference), 0));
}

void SheetCopyFindTest::copyTheCurrentLine()
{
    clickLine(QStringLiteral("PIL-1"));
    QTest::keySequence(m_grid, QKeySequence::Copy);

    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    // The price and total as numbers: no blank between digit groups, no padding.
    const QString expected = HeaderRow + QStringLiteral("\nPIL-1\tCœur de pile\t2\t1234,50\t\t2469,00\n");
    QCOMPARE(copied->text(), expected);
    QVERIFY(copied->hasHtml());
    QCOMPARE(htmlTable(copied->html()), plainTable(expected));
}

void SheetCopyFindTest::copyTheWholeSheet()
{
    QVERIFY(chooseFromGridMenu(*m_form, QStringLiteral("copierTout")));

    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    const QList<QStringList> rows = plainTable(copied->text());
    QCOMPARE(rows.size(), m_grid->RowCount() + 2);
    QCOMPARE(rows[0].join(u'\t'), HeaderRow);
    for (int row = 1; row < m_grid->RowCount(); ++row) {
        QCOMPARE(rows[row].mid(0, 2), QStringList({m_grid->CellText(row, 0), m_grid->CellText(row, 1)}));
        QCOMPARE(rows[row][3], m_grid->CellText(row, 3).trimmed().remove(u' '));
    }
    QCOMPARE(rows[rows.size() - 2], QStringList(6));
    QCOMPARE(rows.last(), QStringList({"Nombre :", "5", "", "", "Total :", "2718,70"}));
    QCOMPARE(htmlTable(copied->html()), rows);
}

void SheetCopyFindTest::emptySheetDisablesEverything()
{
    QTest::mouseClick(m_form->findChild<QPushButton *>(QStringLiteral("Nouveau")), Qt::LeftButton);
    QCOMPARE(m_grid->RowCount(), 1);

    QTest::mouseClick(m_form->windowHandle(), Qt::RightButton, {},
                      m_grid->viewport()->mapTo(m_form.get(), QPoint(5, 5)));
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
    for (const QAction *entry : menu->actions())
        QVERIFY2(entry->isSeparator() || !entry->isEnabled(), qPrintable(entry->text()));
    menu->close();

    m_grid->setFocus();
    for (const auto keys : {QKeySequence::Copy, QKeySequence::Find, QKeySequence::FindNext, QKeySequence::Print})
        QTest::keySequence(m_grid, keys);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("avant"));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    const auto *box = m_form->findChild<QDialog *>(QStringLiteral("rechercheFiche"));
    QVERIFY(!box || !box->isVisible());
}

void SheetCopyFindTest::search(const QString &text)
{
    QTest::keySequence(m_grid, QKeySequence::Find);
    QDialog *box = nullptr;
    QTRY_VERIFY((box = m_form->findChild<QDialog *>(QStringLiteral("rechercheFiche"))) && box->isVisible());
    auto *field = box->findChild<QLineEdit *>(QStringLiteral("texteRecherche"));
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

void SheetCopyFindTest::findALine_data()
{
    QTest::addColumn<QString>("from");   // the line clicked first
    QTest::addColumn<QString>("typed");  // into the find box
    QTest::addColumn<QString>("found");  // the line that becomes current; "" for none

    const auto row = [](const char *name, const QString &from, const QString &typed, const QString &found) {
        QTest::newRow(name) << from << typed << found;
    };
    row("without accents or capitals", "AGR-1", "equerre", "EQU-45");
    row("a ligature, as the listing's order weighs it", "AGR-1", "coeur", "PIL-1");
    row("capitals, no accent", "AGR-1", "ETAU D'ETABLI", "ETA-10");
    row("in the reference", "AGR-1", "reg-3", "REG-30");
    row("past the last line, from the first", "REG-30", "agrafe", "AGR-1");
    row("the current line itself, last", "EQU-45", "Équerre", "EQU-45");
    row("no line", "ETA-10", "vis", "");
}

void SheetCopyFindTest::findALine()
{
    QFETCH(QString, from);
    QFETCH(QString, typed);
    QFETCH(QString, found);

    clickLine(from);
    search(typed);

    if (found.isEmpty()) {
        QCOMPARE(m_answers->messages, QStringList{QStringLiteral("Aucune ligne ne contient « %1 ».").arg(typed)});
        QCOMPARE(m_grid->CurrentRow(), rowOf(*m_grid, from));
        return;
    }
    QCOMPARE(m_answers->messages, QStringList());
    const int row = rowOf(*m_grid, found);
    QCOMPARE(m_grid->CurrentRow(), row);
    QVERIFY(m_grid->selectionModel()->isRowSelected(row - 1, {}));
    QVERIFY(m_grid->viewport()->rect().contains(m_grid->visualRect(m_grid->currentIndex())));
}

void SheetCopyFindTest::findNextGoesOnAndWraps()
{
    clickLine(QStringLiteral("AGR-1"));
    search(QStringLiteral("r"));  // in every designation but the étau's
    QCOMPARE(m_grid->CurrentRow(), rowOf(*m_grid, QStringLiteral("PIL-1")));

    // F3 from the find box, then from the grid.
    QTest::keySequence(QApplication::focusWidget(), QKeySequence::FindNext);
    QCOMPARE(m_grid->CurrentRow(), rowOf(*m_grid, QStringLiteral("EQU-45")));
    m_form->activateWindow();
    m_grid->setFocus();
    QTest::keySequence(m_grid, QKeySequence::FindNext);
    QCOMPARE(m_grid->CurrentRow(), rowOf(*m_grid, QStringLiteral("REG-30")));
    QTest::keySequence(m_grid, QKeySequence::FindNext);
    QCOMPARE(m_grid->CurrentRow(), rowOf(*m_grid, QStringLiteral("AGR-1")));
    QCOMPARE(m_answers->messages, QStringList());
}

QTEST_MAIN(SheetCopyFindTest)
#include "tst_sheet_copy_find.moc"
