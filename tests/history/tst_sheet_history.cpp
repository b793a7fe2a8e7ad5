// Annuler and Rétablir on the real window, driven by the user's keys and clicks: each kind
// of change taken back and done again, one at a time, with every cell and both counters
// exactly as the user saw them, the menu naming the change, and nothing else touched: no
// handler runs again (a recalculation would reprice the listed lines otherwise) and the
// entry fields keep what they hold.

#include "ChangeActions.h"
#include "ExportTestKit.h"
#include "FicheTestSupport.h"
#include "LineGrid.h"
#include "SheetTestKit.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace ExportTest;

namespace {

// Line totals on half cents: the listing rounds its running total line by line, the
// recalculation each line first, so the counters tell which rule last priced the sheet.
const QString Catalogue = FicheTest::ProductColumns + QStringLiteral("\n"
                                                                     "H1\tDemi-centime\t1\t0.005\n"
                                                                     "H2\tDemi-centime bis\t3\t0.015\n"
                                                                     "M1\tMilliers\t2\t1234.565\n"
                                                                     "V1\tVis\t10\t0.5\n"
                                                                     "E1\tÉcrou\t4\t1.25\n");

QAction *action(Form2 &form, const char *name)
{
    return form.findChild<QAction *>(QString::fromLatin1(name));
}

}  // namespace

class SheetHistoryTest : public QObject, private FicheTest::WindowFixture {
    Q_OBJECT

private slots:
    void init()
    {
        openWindow(Catalogue);
        m_form->startHistory();
    }
    void cleanup() { closeWindow(); }

    void eachChangeUndoneAndRedone();
    void keysInATextFieldAreTheFields();
    void savedSheetOpensAfterNouveau();

private:
    // One change of each kind made by the user, then: what the sheet read after each.
    QList<QStringList> makeOneChangeOfEachKind(QStringList &undoTexts);
    void addLineWithKeys(const QString &reference, const QString &quantity, const QString &discount);
};

void SheetHistoryTest::addLineWithKeys(const QString &reference, const QString &quantity, const QString &discount)
{
    m_ui.Ref->setFocus();
    QTest::keyClicks(m_ui.Ref, reference);
    QTest::keyClick(m_ui.Ref, Qt::Key_Return);
    QTest::keyClicks(m_ui.qte, quantity);
    QTest::keyClick(m_ui.qte, Qt::Key_Return);
    QTest::keyClicks(m_ui.remise, discount);
    QTest::keyClick(m_ui.remise, Qt::Key_Return);
    QTest::keyClick(m_ui.total, Qt::Key_Return);
}

QList<QStringList> SheetHistoryTest::makeOneChangeOfEachKind(QStringList &undoTexts)
{
    QList<QStringList> seen{whatTheUserSees(*m_form)};
    const auto changed = [&] {
        seen.append(whatTheUserSees(*m_form));
        undoTexts.append(action(*m_form, "annuler")->text());
    };

    SheetTest::editCell(*m_ui.G, 2, 2, QStringLiteral("7"));  // repricing every listed line
    changed();
    addLineWithKeys(QStringLiteral("V1"), QStringLiteral("3"), QStringLiteral("10"));
    changed();
    // Line 6 up two rows, one change per row; the question after each is not a change.
    QStringList asked;
    QList<bool> answers{true, false};
    m_form->setQuestion([&](const QString &text) {
        asked << text;
        changed();
        return answers.takeFirst();
    });
    ExportTest::grid(*m_form).setCurrentRow(6);
    QTest::mouseClick(m_ui.haut, Qt::LeftButton);
    [&] { QCOMPARE(asked.size(), 2); }();
    QTest::mouseClick(m_ui.Nouveau, Qt::LeftButton);
    changed();
    return seen;
}

void SheetHistoryTest::eachChangeUndoneAndRedone()
{
    QStringList undoTexts;
    const QList<QStringList> seen = makeOneChangeOfEachKind(undoTexts);
    QCOMPARE(undoTexts,
             QStringList(
                 {QStringLiteral("Annuler la modification de la cellule"),
                  QStringLiteral("Annuler l'ajout de la ligne"), QStringLiteral("Annuler le déplacement de la ligne"),
                  QStringLiteral("Annuler le déplacement de la ligne"), QStringLiteral("Annuler « Nouveau »")}));
    for (int i = 1; i < seen.size(); ++i)
        QVERIFY2(seen[i] != seen[i - 1], qPrintable(QStringLiteral("change %1 changed nothing").arg(i)));

    // What the user is typing stays as it is, whatever is undone.
    m_ui.Ref->setEditText(QStringLiteral("E1"));
    m_ui.qte->setText(QStringLiteral("42"));
    const QStringList typing{m_ui.Ref->currentText(), m_ui.desi->text(),   m_ui.qte->text(),
                             m_ui.prixvente->text(),  m_ui.remise->text(), m_ui.total->text()};
    const auto entryFields = [&] {
        return QStringList{m_ui.Ref->currentText(), m_ui.desi->text(),   m_ui.qte->text(),
                           m_ui.prixvente->text(),  m_ui.remise->text(), m_ui.total->text()};
    };

    QAction *undo = action(*m_form, "annuler");
    QAction *redo = action(*m_form, "retablir");
    QMenu &menu = actions(*m_form).menu();
    QCOMPARE(menu.actions().value(0), undo);  // at the top of the grid's menu
    QCOMPARE(menu.actions().value(1), redo);
    QVERIFY(undo->isEnabled());  // on an empty sheet too
    QVERIFY(!redo->isEnabled());

    // Back to the listed sheet, one change a key press, then nothing more to undo.
    m_ui.G->setFocus();
    for (int i = int(seen.size()) - 1; i > 0; --i) {
        QTest::keyClick(m_ui.G, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(whatTheUserSees(*m_form), seen[i - 1]);
        QCOMPARE(redo->text(),
                 QString(undoTexts[i - 1]).replace(QStringLiteral("Annuler"), QStringLiteral("Rétablir")));
    }
    QVERIFY(!undo->isEnabled());
    QCOMPARE(undo->text(), QStringLiteral("Annuler"));
    QTest::keyClick(m_ui.G, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(whatTheUserSees(*m_form), seen[0]);

    // And forward again, by both keys of Rétablir.
    for (int i = 1; i < seen.size(); ++i) {
        if (i % 2)
            QTest::keyClick(m_ui.G, Qt::Key_Y, Qt::ControlModifier);
        else
            QTest::keyClick(m_ui.G, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(whatTheUserSees(*m_form), seen[i]);
        QCOMPARE(undo->text(), undoTexts[i - 1]);
    }
    QVERIFY(!redo->isEnabled());
    QCOMPARE(entryFields(), typing);

    // From the menu, on the emptied sheet: "Nouveau" undone.
    QVERIFY(chooseFromGridMenu(*m_form, QStringLiteral("annuler")));
    QCOMPARE(whatTheUserSees(*m_form), seen[seen.size() - 2]);
    // A new change after an undo: nothing left to redo.
    QTest::mouseClick(m_ui.Nouveau, Qt::LeftButton);
    QVERIFY(!redo->isEnabled());
    QCOMPARE(entryFields(), typing);
}

// In a text field, the keys undo and redo what was typed there; the sheet stays.
void SheetHistoryTest::keysInATextFieldAreTheFields()
{
    QTest::mouseClick(m_ui.Nouveau, Qt::LeftButton);
    const QStringList emptied = whatTheUserSees(*m_form);
    for (QWidget *field : QList<QWidget *>{m_ui.qte, m_ui.Ref}) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, QStringLiteral("12"));
        const auto typed = [&] { return field == m_ui.Ref ? m_ui.Ref->currentText() : m_ui.qte->text(); };
        QCOMPARE(typed(), QStringLiteral("12"));
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(typed() != QStringLiteral("12"));
        QTest::keyClick(field, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(typed(), QStringLiteral("12"));
        QCOMPARE(whatTheUserSees(*m_form), emptied);
    }
}

// Saved from the menu, the sheet emptied, then opened by Ctrl+O: the same sheet, counters
// included, and opening is one change undone like any other. A damaged file or a CSV from
// the export go through the same door: the first changes nothing, the second gives its
// cells as they are and the line count Enter would give.
void SheetHistoryTest::savedSheetOpensAfterNouveau()
{
    SheetTest::editCell(*m_ui.G, 2, 2, QStringLiteral("7"));
    QCOMPARE(m_ui.G->CellText(2, 2), QStringLiteral("7"));
    addLineWithKeys(QStringLiteral("V1"), QStringLiteral("3"), QStringLiteral("10"));
    const QStringList worked = whatTheUserSees(*m_form);
    const QString fiche = m_dir.filePath(QStringLiteral("travail.fiche"));
    const QString csv = m_dir.filePath(QStringLiteral("travail.csv"));
    Answers saving(fiche);
    QVERIFY(chooseKeepingTheSheet(*m_form, QStringLiteral("enregistrerFiche"), saving));
    QVERIFY2(saving.messages.isEmpty(), qPrintable(saving.messages.join(u'\n')));
    QVERIFY(saving.proposedFile.endsWith(QDate::currentDate().toString(u"'fiche-'yyyy-MM-dd'.fiche'")));
    saving.file = csv;
    QVERIFY(chooseKeepingTheSheet(*m_form, QStringLiteral("enregistrerCsv"), saving));

    QTest::mouseClick(m_ui.Nouveau, Qt::LeftButton);
    const QStringList emptied = whatTheUserSees(*m_form);
    auto *changes = m_form->findChild<ChangeActions *>();
    QStringList messages;
    changes->setMessage([&](QMessageBox::Icon, const QString &text) { messages.append(text); });
    QString chosen;
    changes->setOpenFileQuestion([&](const QString &, const QString &, const QString &) { return chosen; });
    const auto openWithKeys = [&](const QString &file) {
        chosen = file;
        m_ui.G->setFocus();
        QTest::keyClick(m_ui.G, Qt::Key_O, Qt::ControlModifier);
    };

    openWithKeys(fiche);
    QCOMPARE(messages, QStringList());
    QCOMPARE(whatTheUserSees(*m_form), worked);
    QCOMPARE(action(*m_form, "annuler")->text(), QStringLiteral("Annuler l'ouverture de la fiche"));
    QTest::keyClick(m_ui.G, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(whatTheUserSees(*m_form), emptied);

    // One byte of a cell changed: refused, naming the line; the window as it was.
    QFile file(fiche);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const qsizetype vis = bytes.indexOf("\tVis\t");
    QVERIFY(vis > 0);
    bytes[vis + 1] = 'W';
    file.seek(0);
    file.write(bytes);
    file.close();
    openWithKeys(fiche);
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains(QStringLiteral("ligne ")), qPrintable(messages[0]));
    QCOMPARE(whatTheUserSees(*m_form), emptied);

    openWithKeys(csv);
    QCOMPARE(messages.size(), 1);
    const LineGrid &lines = grid(*m_form);
    const int columns = lines.ColumnCount();
    QCOMPARE(lines.RowCount() * columns + 2, worked.size());
    for (int row = 1; row < lines.RowCount(); ++row) {
        for (const int column : {0, 1})  // texts as they were; numbers as the export wrote them
            QCOMPARE(lines.CellText(row, column), worked[row * columns + column]);
    }
    QCOMPARE(m_ui.nbr->text(), QString::number(lines.RowCount() - 1));
}

QTEST_MAIN(SheetHistoryTest)
#include "tst_sheet_history.moc"
