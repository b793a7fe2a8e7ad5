// The user's keys and clicks reach the window's handlers: Enter walks the entry fields,
// each number field selects its text on arrival, a choice in the reference list or a
// typed reference looks the product up, and Enter or Space presses the focused button.

#include "FicheTestSupport.h"
#include "LineGrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class WindowKeysTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void enterWalksTheEntryFields();
    void tabArrivalSelectsTheNumber();
    void typedReferenceIsLookedUp();
    void arrowKeyChoosesFromTheList();
    void mouseChoosesFromTheList();
    void buttonKeys_data();
    void buttonKeys();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Form2> m_form;
    FicheTest::Controls m_ui;
};

void WindowKeysTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_form = FicheTest::loadForm(FicheTest::writeCatalogue(
        m_dir, FicheTest::ProductColumns + QStringLiteral("\nV10\tVis\t3\t1.5\nE20\tEcrou\t5\t12.25\n")));
    m_ui = FicheTest::Controls(*m_form);
    FicheTest::showActive(*m_form);
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

    QTest::keyClick(m_ui.qte, Qt::Key_Enter);  // the keypad's Enter too
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
