// The user's keys and clicks reach the window's handlers: Enter walks the entry fields,
// each number field selects its text on arrival, a choice in the reference list or a
// typed reference looks the product up, and Enter or Space presses the focused button.

#include "FicheTestSupport.h"
#include "LineGrid.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class WindowKeysTest : public QObject, private FicheTest::WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void enterWalksTheEntryFields();
    void tabArrivalSelectsTheNumber();
    void aSelectionSurvivesTheFocusComingBack();
    void oneEnterTakesTheOpenListToTheQuantity();
    void typedReferenceIsLookedUp();
    void arrowKeyChoosesFromTheList();
    void mouseChoosesFromTheList();
    void buttonKeys_data();
    void buttonKeys();
};

void WindowKeysTest::initTestCase()
{
    openWindow(FicheTest::ProductColumns + QStringLiteral("\nV10\tVis\t3\t1.5\nE20\tEcrou\t5\t12.25\n"));
}

void WindowKeysTest::init()
{
    m_ui.Ref->setCurrentIndex(-1);
    m_ui.Ref->setEditText(QString());
}

void WindowKeysTest::enterWalksTheEntryFields()
{
    QComboBox *reference = m_ui.Ref;
    reference->setFocus();
    QTest::keyClick(reference, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), m_ui.qte);
    QVERIFY(m_ui.qte->hasSelectedText());
    QCOMPARE(m_ui.qte->selectedText(), m_ui.qte->text());

    QTest::keyClick(m_ui.qte, Qt::Key_Return, Qt::ControlModifier);  // a line feed, not Enter
    QCOMPARE(QApplication::focusWidget(), m_ui.qte);
    QTest::keyClick(m_ui.qte, Qt::Key_Enter, Qt::KeypadModifier);  // the keypad's Enter is Enter
    QCOMPARE(QApplication::focusWidget(), m_ui.remise);
    QCOMPARE(m_ui.remise->selectedText(), m_ui.remise->text());

    QTest::keyClick(m_ui.remise, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), m_ui.total);
    QCOMPARE(m_ui.total->selectedText(), m_ui.total->text());
}

void WindowKeysTest::tabArrivalSelectsTheNumber()
{
    m_ui.qte->setText(QStringLiteral("12"));
    m_ui.qte->deselect();
    m_ui.prixvente->setFocus();
    QTest::keyClick(m_ui.prixvente, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), m_ui.qte);
    QCOMPARE(m_ui.qte->selectedText(), QStringLiteral("12"));
    // What the user types then replaces the number.
    QTest::keyClicks(m_ui.qte, QStringLiteral("4"));
    QCOMPARE(m_ui.qte->text(), QStringLiteral("4"));
}

// Only the user's bringing the focus selects the whole number: when another window gives the
// focus back, or the field's own context menu closes, a half-typed selection stays.
void WindowKeysTest::aSelectionSurvivesTheFocusComingBack()
{
    QLineEdit *quantity = m_ui.qte;
    quantity->setFocus();
    quantity->setText(QStringLiteral("123"));
    quantity->setSelection(1, 1);

    QWidget otherWindow;
    otherWindow.show();
    otherWindow.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&otherWindow));
    FicheTest::showActive(*m_form);
    QCOMPARE(QApplication::focusWidget(), quantity);
    QCOMPARE(quantity->selectedText(), QStringLiteral("2"));

    QTimer closeTheMenu;
    bool menuShown = false;
    connect(&closeTheMenu, &QTimer::timeout, this, [&] {
        if (QWidget *menu = QApplication::activePopupWidget()) {
            menuShown = true;
            menu->close();
        }
    });
    closeTheMenu.start(10);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, quantity->rect().center(),
                                 quantity->mapToGlobal(quantity->rect().center()));
    QApplication::sendEvent(quantity, &rightClick);
    QTRY_VERIFY(menuShown);
    closeTheMenu.stop();
    QTRY_COMPARE(QApplication::focusWidget(), quantity);
    QCOMPARE(quantity->selectedText(), QStringLiteral("2"));
}

// With the reference list open, Enter picks the highlighted reference (looked up as a
// choice in the list is) and moves on to the quantity, ready to be typed over.
void WindowKeysTest::oneEnterTakesTheOpenListToTheQuantity()
{
    QComboBox *reference = m_ui.Ref;
    reference->setFocus();
    reference->showPopup();
    QAbstractItemView *list = reference->view();
    QTRY_VERIFY(list->isVisible());
    list->setCurrentIndex(reference->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_Return);

    QTRY_COMPARE(QApplication::focusWidget(), m_ui.qte);
    QVERIFY(!list->isVisible());
    QCOMPARE(reference->currentText(), QStringLiteral("E20"));
    QCOMPARE(m_ui.prixvente->text(), QStringLiteral("  12,25"));
    QCOMPARE(m_ui.qte->selectedText(), QStringLiteral("0"));
    QTest::keyClicks(m_ui.qte, QStringLiteral("5"));
    QCOMPARE(m_ui.qte->text(), QStringLiteral("5"));
}

void WindowKeysTest::typedReferenceIsLookedUp()
{
    QComboBox *reference = m_ui.Ref;
    reference->setFocus();
    QTest::keyClicks(reference, QStringLiteral("E20"));
    QCOMPARE(m_ui.prixvente->text(), QStringLiteral("  12,25"));
    QVERIFY(!m_ui.desi->text().isEmpty());
    QCOMPARE(m_ui.Ref->currentText(), QStringLiteral("E20"));
}

void WindowKeysTest::arrowKeyChoosesFromTheList()
{
    QComboBox *reference = m_ui.Ref;
    reference->setFocus();
    QTest::keyClick(reference, Qt::Key_Down);
    QCOMPARE(m_ui.Ref->currentText(), QStringLiteral("V10"));
    QCOMPARE(m_ui.prixvente->text(), QStringLiteral("  1,50"));
    QTest::keyClick(reference, Qt::Key_Down);
    QCOMPARE(m_ui.Ref->currentText(), QStringLiteral("E20"));
    QCOMPARE(m_ui.prixvente->text(), QStringLiteral("  12,25"));
}

void WindowKeysTest::mouseChoosesFromTheList()
{
    QComboBox *ref = m_ui.Ref;
    ref->showPopup();
    QAbstractItemView *list = ref->view();
    QTRY_VERIFY(list->isVisible());
    const QRect item = list->visualRect(ref->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!list->isVisible());
    QCOMPARE(ref->currentText(), QStringLiteral("E20"));
    QCOMPARE(m_ui.prixvente->text(), QStringLiteral("  12,25"));
}

void WindowKeysTest::buttonKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

void WindowKeysTest::buttonKeys()
{
    QFETCH(int, key);
    m_ui.G->AppendRow(QStringLiteral("X\tLigne\t1\t  1,00\t\t  1,00"));
    QVERIFY(m_ui.G->RowCount() > 1);
    m_ui.Nouveau->setFocus();
    QTest::keyClick(m_ui.Nouveau, Qt::Key(key));
    QCOMPARE(m_ui.G->RowCount(), 1);
    QCOMPARE(m_ui.nbr->text(), QStringLiteral("0"));
    QCOMPARE(QApplication::focusWidget(), m_ui.Nouveau);
}

QTEST_MAIN(WindowKeysTest)
#include "tst_window_keys.moc"
