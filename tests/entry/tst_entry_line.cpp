// The line being entered, without a window: its total as a change of the discount gives it,
// under four regional settings.

#include "EntryLine.h"
#include "TestLocales.h"

#include <QTest>

class EntryLineTest : public QObject {
    Q_OBJECT

private slots:
    // Inputs and totals are written with {d} for the decimal separator and {m} for the
    // minus sign; "=" as the total means "left as it was".
    void repricedTotal_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("expected");

        const struct {
            const char *name, *quantity, *price, *discount, *expected;
        } cases[] = {
            {"3 x 19.99 - 10 %", "3", "19{d}99", "10", "53{d}97"},
            {"no discount", "3", "19{d}99", "0", "59{d}97"},
            {"empty discount: none", "3", "19{d}99", "", "59{d}97"},
            {"letters as discount: none", "3", "19{d}99", "abc", "59{d}97"},
            {"discount 100", "3", "19{d}99", "100", "0{d}00"},
            {"discount 150: negative", "3", "19{d}99", "150", "{m}29{d}99"},
            {"discount -10: surcharge", "3", "19{d}99", "{m}10", "65{d}97"},
            {"negative quantity", "{m}2", "19{d}99", "0", "{m}39{d}98"},
            {"quantity with a fraction", "1{d}5", "10", "0", "15{d}00"},
            {"discount with a fraction", "1", "100", "2{d}5", "97{d}50"},
            {"zero quantity: untouched", "0", "19{d}99", "10", "="},
            {"zero price: untouched", "3", "0", "10", "="},
            {"empty quantity: zero", "", "19{d}99", "10", "0{d}00"},
            {"letters as quantity: zero", "abc", "19{d}99", "10", "0{d}00"},
            {"letters as price: zero", "3", "prix", "10", "0{d}00"},
            {"half a cent rounds away from zero", "1", "0{d}125", "0", "0{d}13"},
        };
        for (const TestLocale &locale : testLocales()) {
            for (const auto &c : cases) {
                QTest::addRow("%s, %s", locale.name, c.name)
                    << QString::fromLatin1(locale.name) << QString::fromUtf8(c.quantity) << QString::fromUtf8(c.price)
                    << QString::fromUtf8(c.discount) << QString::fromUtf8(c.expected);
            }
        }
    }
    void repricedTotal()
    {
        QFETCH(QString, locale);
        QFETCH(QString, quantity);
        QFETCH(QString, price);
        QFETCH(QString, discount);
        QFETCH(QString, expected);
        const RegionalSettings &rs = settingsNamed(locale);
        EntryFields fields;
        fields.quantity = inLocale(quantity, rs);
        fields.price = inLocale(price, rs);
        fields.discount = inLocale(discount, rs);
        fields.total = QStringLiteral("avant");

        const std::optional<QString> total = ::repricedTotal(fields, rs);

        if (expected == QLatin1String("="))
            QVERIFY2(!total, qPrintable(total.value_or(QString())));
        else
            QCOMPARE(total.value_or(QStringLiteral("(inchangé)")), inLocale(expected, rs));
    }
};

QTEST_GUILESS_MAIN(EntryLineTest)
#include "tst_entry_line.moc"
