// The line total as the user types the discount, recomputed at each keystroke of the
// discount only (what it comes to for each input: tst_entry_line).

#include "BothLocales.h"
#include "EntryTestKit.h"
#include "FicheTestSupport.h"

#include <QLineEdit>
#include <QTest>

using namespace EntryTest;

class LinePricingTest : public QObject, private FicheTest::WindowFixture {
    Q_OBJECT

public:
    explicit LinePricingTest(const RegionalSettings &rs) : m_rs(rs) {}

private slots:
    void init() { openWindow(Catalogue, m_rs); }
    void cleanup() { closeWindow(); }

    void eachKeystrokeOfTheDiscountReprices()
    {
        const FicheTest::Controls &f = m_ui;
        f.qte->setText(QStringLiteral("2"));
        f.prixvente->setText(QStringLiteral("50"));
        f.remise->setFocus();
        QCOMPARE(f.remise->selectedText(), QStringLiteral("0"));
        type(f.remise, QStringLiteral("1"));  // replaces the selected "0"
        QCOMPARE(f.total->text(), localText(QStringLiteral("99.00"), m_rs));
        type(f.remise, QStringLiteral("0"));
        QCOMPARE(f.total->text(), localText(QStringLiteral("90.00"), m_rs));
    }

    void eachNumberFieldSelectsItsTextHoweverTheFocusCame()
    {
        const FicheTest::Controls &f = m_ui;
        f.qte->setText(QStringLiteral("12"));
        f.remise->setText(QStringLiteral("5"));
        f.total->setText(QString());
        QTest::mouseClick(f.remise, Qt::LeftButton, {}, f.remise->rect().center());
        QCOMPARE(QApplication::focusWidget(), f.remise);
        QCOMPARE(f.remise->selectedText(), QStringLiteral("5"));
        QTest::mouseClick(f.qte, Qt::LeftButton, {}, f.qte->rect().center());
        QCOMPARE(f.qte->selectedText(), QStringLiteral("12"));
        QTest::keyClick(f.qte, Qt::Key_Tab);  // on to the price, then Tab again to the discount
        QTest::keyClick(f.prixvente, Qt::Key_Tab);
        QCOMPARE(f.remise->selectedText(), QStringLiteral("5"));
        QTest::keyClick(f.remise, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.total);  // an empty field: nothing to select
        QCOMPARE(f.total->selectionStart(), -1);
        QCOMPARE(f.total->cursorPosition(), 0);
    }

    void aQuantityChangedAfterTheDiscountLeavesTheTotalStale()
    {
        const FicheTest::Controls &f = m_ui;
        f.qte->setText(QStringLiteral("2"));
        f.prixvente->setText(QStringLiteral("50"));
        retype(f.remise, QStringLiteral("10"));
        retype(f.qte, QStringLiteral("3"));
        QCOMPARE(f.total->text(), localText(QStringLiteral("90.00"), m_rs));
    }

    void aPriceOfAThousandOrMoreAsTheLookUpShowsIt()
    {
        const FicheTest::Controls &f = m_ui;
        type(refField(f), QStringLiteral("A1"));  // price shown " 1 234,50" (or ".50")
        retype(f.qte, QStringLiteral("2"));
        retype(f.remise, QStringLiteral("10"));
        QCOMPARE(f.total->text(), grouped(QStringLiteral("2"), QStringLiteral("222.10"), m_rs));
    }

private:
    RegionalSettings m_rs;
};

FICHE_TEST_IN_BOTH_LOCALES(LinePricingTest)
#include "tst_line_pricing.moc"
