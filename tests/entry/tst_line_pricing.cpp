// The line total as the user types the discount: quantity × price less the discount, in
// the standard money form, recomputed at each keystroke of the discount only.

#include "BothLocales.h"
#include "EntryTestKit.h"
#include "FicheTestSupport.h"

#include <QLineEdit>
#include <QTest>

using namespace EntryTest;

class LinePricingTest : public QObject {
    Q_OBJECT

public:
    explicit LinePricingTest(const RegionalSettings &rs) : m_rs(rs) {}

private slots:
    void init()
    {
        m_form = FicheTest::loadForm(FicheTest::writeCatalogue(m_dir, Catalogue), m_rs);
        m_ui = FicheTest::Controls(*m_form);
        FicheTest::showActive(*m_form);
    }
    void cleanup() { m_form.reset(); }

    // Inputs are written with a period and typed with the decimal separator of the settings
    // under test; "=" as the expected total means "what the field held before".
    void totalAfterTypingTheDiscount_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("expected");

        QTest::newRow("3 x 19.99 - 10 %") << "3"
                                          << "19.99"
                                          << "10"
                                          << "53.97";
        QTest::newRow("no discount") << "3"
                                     << "19.99"
                                     << "0"
                                     << "59.97";
        QTest::newRow("empty discount: none") << "3"
                                              << "19.99"
                                              << ""
                                              << "59.97";
        QTest::newRow("letters as discount: none") << "3"
                                                   << "19.99"
                                                   << "abc"
                                                   << "59.97";
        QTest::newRow("discount 100") << "3"
                                      << "19.99"
                                      << "100"
                                      << "0.00";
        QTest::newRow("discount 150: negative") << "3"
                                                << "19.99"
                                                << "150"
                                                << "-29.99";
        QTest::newRow("discount -10: surcharge") << "3"
                                                 << "19.99"
                                                 << "-10"
                                                 << "65.97";
        QTest::newRow("negative quantity") << "-2"
                                           << "19.99"
                                           << "0"
                                           << "-39.98";
        QTest::newRow("quantity with a fraction") << "1.5"
                                                  << "10"
                                                  << "0"
                                                  << "15.00";
        QTest::newRow("discount with a fraction") << "1"
                                                  << "100"
                                                  << "2.5"
                                                  << "97.50";
        QTest::newRow("zero quantity: untouched") << "0"
                                                  << "19.99"
                                                  << "10"
                                                  << "=";
        QTest::newRow("zero price: untouched") << "3"
                                               << "0"
                                               << "10"
                                               << "=";
        QTest::newRow("empty quantity: zero") << ""
                                              << "19.99"
                                              << "10"
                                              << "0.00";
        QTest::newRow("letters as quantity: zero") << "abc"
                                                   << "19.99"
                                                   << "10"
                                                   << "0.00";
        QTest::newRow("letters as price: zero") << "3"
                                                << "prix"
                                                << "10"
                                                << "0.00";
        QTest::newRow("half a cent rounds away from zero") << "1"
                                                           << "0.125"
                                                           << "0"
                                                           << "0.13";
    }
    void totalAfterTypingTheDiscount()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, price);
        QFETCH(QString, discount);
        QFETCH(QString, expected);
        const FicheTest::Controls &f = m_ui;
        const QString before = QStringLiteral("avant");
        f.qte->setText(localText(quantity, m_rs));
        f.prixvente->setText(localText(price, m_rs));
        f.total->setText(before);

        retype(f.remise, localText(discount, m_rs));

        QCOMPARE(f.total->text(), expected == QLatin1String("=") ? before : shown(expected, m_rs));
    }

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
    QTemporaryDir m_dir;
    std::unique_ptr<Form2> m_form;
    FicheTest::Controls m_ui;
};

FICHE_TEST_IN_BOTH_LOCALES(LinePricingTest)
#include "tst_line_pricing.moc"
