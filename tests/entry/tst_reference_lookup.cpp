// Typing or picking a reference: the designation and price appear when the text is a
// reference, the line starts afresh at every change, and Enter moves on to the quantity.

#include "BothLocales.h"
#include "EntryTestKit.h"
#include "FicheTestSupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace EntryTest;

class ReferenceLookupTest : public QObject, private FicheTest::WindowFixture {
    Q_OBJECT

public:
    explicit ReferenceLookupTest(const RegionalSettings &rs) : m_rs(rs) {}

private slots:
    void init() { openWindow(Catalogue, m_rs); }
    void cleanup() { closeWindow(); }

    void typingFillsOnlyWhileTheTextIsAReference()
    {
        const FicheTest::Controls &f = m_ui;
        f.qte->setText(QStringLiteral("5"));  // a line in progress, to see it start afresh

        type(refField(f), QStringLiteral("A"));
        expectClearedLine(QStringLiteral("A"));

        type(refField(f), QStringLiteral("1"));
        QCOMPARE(f.desi->text(), QStringLiteral("VIS À BOIS"));
        QCOMPARE(f.prixvente->text(), QStringLiteral(" 1 234") + m_rs.decimalSeparator + QStringLiteral("50"));
        QCOMPARE(f.qte->text(), QStringLiteral("0"));
        QCOMPARE(f.remise->text(), QStringLiteral("0"));
        QCOMPARE(f.total->text(), QStringLiteral("0"));

        f.qte->setText(QStringLiteral("5"));
        type(refField(f), QStringLiteral("2"));
        expectClearedLine(QStringLiteral("A12"));
    }

    void theIndexIgnoresLetterCase()
    {
        type(refField(m_ui), QStringLiteral("x1"));
        QCOMPARE(m_ui.desi->text(), QStringLiteral("ÉCROU M6"));
        QCOMPARE(m_ui.prixvente->text(), QStringLiteral("  0") + m_rs.decimalSeparator + QStringLiteral("50"));
        QCOMPARE(m_ui.Ref->currentText(), QStringLiteral("x1"));  // kept exactly as typed
    }

    void aTrailingBlankIsPartOfTheKey()
    {
        type(refField(m_ui), QStringLiteral("X1 "));
        expectClearedLine(QStringLiteral("X1 "));
    }

    void erasingTheReferenceClearsTheLine()
    {
        const FicheTest::Controls &f = m_ui;
        type(refField(f), QStringLiteral("P5"));
        QCOMPARE(f.desi->text(), QStringLiteral("POCHETTE PLASTIQUE"));
        QTest::keyClick(refField(f), Qt::Key_Backspace);
        QTest::keyClick(refField(f), Qt::Key_Backspace);
        expectClearedLine(QString());
    }

    void aProductWithoutDesignationStillShowsItsPrice()
    {
        type(refField(m_ui), QStringLiteral("N1"));
        QCOMPARE(m_ui.desi->text(), QString());
        QCOMPARE(m_ui.prixvente->text(), QStringLiteral("  7") + m_rs.decimalSeparator + QStringLiteral("00"));
    }

    void pickingFromTheListWithTheMouse()
    {
        FicheTest::CollectedReports reports;
        const FicheTest::Controls &f = m_ui;
        QCOMPARE(f.Ref->count(), 4);
        for (const QString &reference : {QStringLiteral("P5"), QStringLiteral("N1")}) {
            pickWithMouse(reference);
            QCOMPARE(f.Ref->currentText(), reference);
        }
        // The product without designation ends the choice quietly: no report, no exit.
        QVERIFY(reports.reports().isEmpty());
        QCOMPARE(f.desi->text(), QString());
        QCOMPARE(f.prixvente->text(), QStringLiteral("  7") + m_rs.decimalSeparator + QStringLiteral("00"));

        pickWithMouse(QStringLiteral("P5"));
        QCOMPARE(f.desi->text(), QStringLiteral("POCHETTE PLASTIQUE"));
        QCOMPARE(f.prixvente->text(), QStringLiteral("  19") + m_rs.decimalSeparator + QStringLiteral("99"));
        QCOMPARE(f.qte->text(), QStringLiteral("0"));
    }

    void pickingWithTheArrowKeys()
    {
        const FicheTest::Controls &f = m_ui;
        f.Ref->setFocus();
        QTest::keyClick(refField(f), Qt::Key_Down);  // the first reference of the list
        QCOMPARE(f.Ref->currentText(), QStringLiteral("A1"));
        QCOMPARE(f.desi->text(), QStringLiteral("VIS À BOIS"));
        QTest::keyClick(refField(f), Qt::Key_Down);
        QCOMPARE(f.desi->text(), QStringLiteral("ÉCROU M6"));
    }

    void enterMovesToTheQuantityWithItsTextSelected_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::newRow("known reference") << QStringLiteral("A1");
        QTest::newRow("unknown reference") << QStringLiteral("ZZ");
    }
    void enterMovesToTheQuantityWithItsTextSelected()
    {
        QFETCH(QString, reference);
        const FicheTest::Controls &f = m_ui;
        f.Ref->setFocus();
        type(refField(f), reference);
        pressEnter(refField(f));
        QCOMPARE(QApplication::focusWidget(), f.qte);
        QCOMPARE(f.qte->selectedText(), QStringLiteral("0"));
        QCOMPARE(f.Ref->count(), 4);  // Enter never adds the typed text to the list
        QCOMPARE(f.Ref->currentText(), reference);
        type(f.qte, QStringLiteral("5"));
        QCOMPARE(f.qte->text(), QStringLiteral("5"));
    }

private:
    void expectClearedLine(const QString &reference)
    {
        const FicheTest::Controls &f = m_ui;
        QCOMPARE(f.Ref->currentText(), reference);
        QCOMPARE(f.desi->text(), QString());
        QCOMPARE(f.qte->text(), QStringLiteral("0"));
        QCOMPARE(f.prixvente->text(), QStringLiteral("0"));
        QCOMPARE(f.remise->text(), QStringLiteral("0"));
        QCOMPARE(f.total->text(), QStringLiteral("0"));
    }

    void pickWithMouse(const QString &reference)
    {
        const FicheTest::Controls &f = m_ui;
        f.Ref->showPopup();
        QAbstractItemView *list = f.Ref->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        const QModelIndex item = list->model()->index(f.Ref->findText(reference), 0);
        const QPoint centre = list->visualRect(item).center();
        QTest::mouseMove(list->viewport(), centre);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTRY_VERIFY(!list->isVisible());
    }

    RegionalSettings m_rs;
};

FICHE_TEST_IN_BOTH_LOCALES(ReferenceLookupTest)
#include "tst_reference_lookup.moc"
