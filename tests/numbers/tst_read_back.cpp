// What comes back when one step writes a number as text and another reads that text: one
// test per row of the read-back table, and the line-pricing chain that leans on them.

#include "NumberRules.h"
#include "TestLocales.h"

#include <QTest>

namespace {

// A cell's text as the recalculation reads it: an operand of a product.
QString readByArithmetic(const QString &text, const RegionalSettings &rs)
{
    return describe(MixedArithmetic::Multiply(MixedValue(text), MixedValue(std::int16_t{1}), rs));
}

}  // namespace

class ReadBackTest : public QObject {
    Q_OBJECT

    static void amountColumns()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("toTheCent");
    }

    // Amounts below and from 1 000, positive and negative, with the cent they round to.
    static void addAmountRows()
    {
        addRowInEachLocale("zero", 0.0, 0.0);
        addRowInEachLocale("below a cent", 0.004, 0.0);
        addRowInEachLocale("fraction", 12.5, 12.5);
        addRowInEachLocale("line total", 53.973, 53.97);
        addRowInEachLocale("half as the user sees it", 2.675, 2.68);
        addRowInEachLocale("just below a thousand", 999.99, 999.99);
        addRowInEachLocale("rounding to a thousand", 999.995, 1000.0);
        addRowInEachLocale("a thousand", 1000.0, 1000.0);
        addRowInEachLocale("thousands", 1234.5, 1234.5);
        addRowInEachLocale("line of two at 1234.5", 2469.0, 2469.0);
        addRowInEachLocale("millions", 1234567.891, 1234567.89);
        addRowInEachLocale("nine digits", 123456789.0, 123456789.0);
        addRowInEachLocale("negative thousands", -1234.567, -1234.57);
        addRowInEachLocale("negative below a thousand", -0.5, -0.5);
    }

private slots:
    // nbr: PlainNumberText of a whole number, read back by ReadLenient.
    void lineCount_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("count");
        for (const qint64 count : {0LL, 1LL, 41LL, 32767LL, 32768LL, 2147483647LL, 999999999999999LL})
            addRowInEachLocale(qPrintable(QString::number(count)), count);
    }

    void lineCount()
    {
        QFETCH(QString, locale);
        QFETCH(qint64, count);
        const RegionalSettings &rs = settingsNamed(locale);

        QCOMPARE(exactly(ReadLenient(PlainNumberText(double(count), rs))), exactly(double(count)));
        if (count <= std::numeric_limits<std::int32_t>::max())
            QCOMPARE(exactly(ReadLenient(PlainNumberText(std::int32_t(count), rs))), exactly(double(count)));
        if (count <= std::numeric_limits<std::int16_t>::max())
            QCOMPARE(exactly(ReadLenient(PlainNumberText(std::int16_t(count), rs))), exactly(double(count)));
        // The listing's step: read, add one with the check, write again.
        QCOMPARE(PlainNumberText(CheckedDouble(ReadLenient(PlainNumberText(double(count), rs)) + 1), rs),
                 PlainNumberText(double(count + 1), rs));
    }

    // totaux and the total field's final form: FormatStandard, read back by ReadLocaleDouble
    // (the listing's sum) and by FormatAmount of the text (adding a line).
    void standardForm_data()
    {
        amountColumns();
        addAmountRows();
    }

    void standardForm()
    {
        QFETCH(QString, locale);
        QFETCH(double, amount);
        QFETCH(double, toTheCent);
        const RegionalSettings &rs = settingsNamed(locale);

        const QString text = FormatStandard(amount, rs);
        QCOMPARE(exactly(ReadLocaleDouble(text, rs)), exactly(toTheCent));
        QCOMPARE(FormatAmount(text, rs), FormatAmount(toTheCent, rs));
        // The grand total carried in the caption: caption + line total.
        QCOMPARE(describe(MixedArithmetic::Add(MixedValue(text), MixedValue(0.0), rs)),
                 describe(MixedValue(toTheCent)));
    }

    // The listing's grand total, carried as the number its standard text reads back as.
    void standardReadBack_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<Currency>("value");
        addRowInEachLocale("zero", tenThousandths(0));
        addRowInEachLocale("below half a cent", tenThousandths(49));
        addRowInEachLocale("half a cent", tenThousandths(50));
        addRowInEachLocale("negative half a cent", tenThousandths(-50));
        addRowInEachLocale("negative below half a cent", tenThousandths(-49));
        addRowInEachLocale("line total", tenThousandths(539730));
        addRowInEachLocale("thousands", tenThousandths(12345678901));
        addRowInEachLocale("beyond the double's whole integers", tenThousandths(900719925474099355));
        addRowInEachLocale("largest", Currency::max());
        addRowInEachLocale("smallest", Currency::min());
    }

    void standardReadBack()
    {
        QFETCH(QString, locale);
        QFETCH(Currency, value);
        const RegionalSettings &rs = settingsNamed(locale);
        QCOMPARE(exactly(StandardReadBack(value)), exactly(ReadLocaleDouble(FormatStandard(value, rs), rs)));
    }

    void standardReadBackOfManyAmounts()
    {
        std::uint64_t state = 1;
        for (int step = 0; step < 20000; ++step) {
            state = state * 6364136223846793005ULL + 1442695040888963407ULL;  // every magnitude and sign
            const auto amount = static_cast<std::int64_t>(state);
            const Currency value = tenThousandths(step % 2 ? amount : amount >> (step % 63));
            for (const TestLocale &locale : testLocales())
                QCOMPARE(exactly(StandardReadBack(value)),
                         exactly(ReadLocaleDouble(FormatStandard(value, locale.rs), locale.rs)));
        }
    }

    // A sum of the grid's amounts without their texts: what ReadLocaleCurrency reads back
    // from FormatAmount's text, for values of every kind, magnitude and sign.
    void amountReadBackOfManyValues()
    {
        const auto throughText = [](const MixedValue &value, const RegionalSettings &rs) -> std::optional<qint64> {
            try {
                return ReadLocaleCurrency(FormatAmount(value, rs), rs).tenThousandths;
            } catch (const RuntimeError &) {
                return std::nullopt;
            }
        };
        const auto readBack = [](const MixedValue &value, const RegionalSettings &rs) -> std::optional<qint64> {
            const std::optional<Currency> amount = AmountReadBack(value, rs);
            return amount ? std::optional<qint64>(amount->tenThousandths) : std::nullopt;
        };
        std::uint64_t state = 7;
        for (int step = 0; step < 20000; ++step) {
            state = state * 6364136223846793005ULL + 1442695040888963407ULL;
            const auto bits = static_cast<std::int64_t>(state);
            const std::int64_t scaled = step % 2 ? bits : bits >> (step % 63);
            const double real = double(scaled) / std::pow(10.0, step % 9);
            const MixedValue values[] = {MixedValue(tenThousandths(scaled)), MixedValue(real),
                                         MixedValue(std::int32_t(scaled)), MixedValue(std::int16_t(scaled))};
            for (const TestLocale &locale : testLocales()) {
                for (const MixedValue &value : values)
                    QCOMPARE(readBack(value, locale.rs), throughText(value, locale.rs));
                const MixedValue asText(PlainNumberText(real, locale.rs));
                QCOMPARE(readBack(asText, locale.rs), throughText(asText, locale.rs));
            }
        }
        for (const TestLocale &locale : testLocales()) {
            for (const MixedValue &odd : {MixedValue::null(), MixedValue(), MixedValue(QStringLiteral("trois")),
                                          MixedValue(1e300), MixedValue(Currency::max()), MixedValue(Currency::min())})
                QCOMPARE(readBack(odd, locale.rs), throughText(odd, locale.rs));
        }
    }

    // The total field's first form: PlainNumberText of a Currency, read by ReadLocaleCurrency.
    void currencyPlainForm_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<Currency>("value");
        addRowInEachLocale("zero", tenThousandths(0));
        addRowInEachLocale("one ten-thousandth", tenThousandths(1));
        addRowInEachLocale("line total", tenThousandths(539730));
        addRowInEachLocale("negative line total", tenThousandths(-539730));
        addRowInEachLocale("thousands", tenThousandths(12345678901));
        addRowInEachLocale("largest", Currency::max());
        addRowInEachLocale("smallest", Currency::min());
    }

    void currencyPlainForm()
    {
        QFETCH(QString, locale);
        QFETCH(Currency, value);
        const RegionalSettings &rs = settingsNamed(locale);
        QCOMPARE(ReadLocaleCurrency(PlainNumberText(value, rs), rs).tenThousandths, value.tenThousandths);
    }

    // prixvente and the grid's price and line-total cells: FormatAmount, read back by the
    // locale-aware readers and by MixedArithmetic. With plain spaces taken between groups,
    // amounts from 1 000 on come back to the cent in every locale, as those below do.
    void amountForm_data()
    {
        amountColumns();
        addAmountRows();
    }

    void amountForm()
    {
        QFETCH(QString, locale);
        QFETCH(double, amount);
        QFETCH(double, toTheCent);
        const RegionalSettings &rs = settingsNamed(locale);

        const QString text = FormatAmount(amount, rs);
        QCOMPARE(exactly(ReadLocaleDouble(text, rs)), exactly(toTheCent));
        QCOMPARE(ReadLocaleCurrency(text, rs).tenThousandths, ToCurrency(toTheCent).tenThousandths);
        QCOMPARE(readByArithmetic(text, rs), describe(MixedValue(toTheCent)));
    }

    // Grid quantity cells: the field's text or the typed text, read by MixedArithmetic.
    void quantityCell_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<MixedValue>("cell");
        QTest::addColumn<double>("quantity");
        addRowInEachLocale("typed whole", MixedValue(QStringLiteral("3")), 3.0);
        addRowInEachLocale("typed fraction", MixedValue(QStringLiteral("2{d}5")), 2.5);
        addRowInEachLocale("typed negative", MixedValue(QStringLiteral("{m}2")), -2.0);
        addRowInEachLocale("typed grouped", MixedValue(QStringLiteral("1{g}000")), 1000.0);
        addRowInEachLocale("16-bit field", MixedValue(std::int16_t{12}), 12.0);
        addRowInEachLocale("32-bit field", MixedValue(std::int32_t{-70000}), -70000.0);
        addRowInEachLocale("double field", MixedValue(0.1), 0.1);
        addRowInEachLocale("large double field", MixedValue(123456789012.345), 123456789012.345);
        addRowInEachLocale("currency field", MixedValue(tenThousandths(25)), 0.0025);
    }

    void quantityCell()
    {
        QFETCH(QString, locale);
        QFETCH(MixedValue, cell);
        QFETCH(double, quantity);
        const RegionalSettings &rs = settingsNamed(locale);

        const QString text = cell.isText() ? inLocale(cell.as<QString>(), rs) : MixedArithmetic::JoinedText(cell, rs);
        QCOMPARE(readByArithmetic(text, rs), describe(MixedValue(quantity)));
    }

    // The line total field, written as the pricing writes it: the Currency value of
    // gross − gross × discount ÷ 100 in plain digits, then read back and shown standard.
    void linePricingChain_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("firstForm");
        QTest::addColumn<QString>("finalForm");

        addRowInEachLocale("ten percent off", QString("3"), QString("19{d}99"), QString("10"), QString("53{d}973"),
                           QString("53{d}97"));
        addRowInEachLocale("price from the grid", QString("2"), QString(" 1 234{d}50"), QString("0"), QString("2469"),
                           QString("2{g}469{d}00"));
        addRowInEachLocale("discount above a hundred", QString("2"), QString("  10{d}00"), QString("150"),
                           QString("{m}10"), QString("{m}10{d}00"));
        addRowInEachLocale("surcharge", QString("1{d}5"), QString("  4{d}00"), QString("{m}10"), QString("6{d}6"),
                           QString("6{d}60"));
    }

    void linePricingChain()
    {
        QFETCH(QString, locale);
        QFETCH(QString, quantity);
        QFETCH(QString, price);
        QFETCH(QString, discount);
        QFETCH(QString, firstForm);
        QFETCH(QString, finalForm);
        const RegionalSettings &rs = settingsNamed(locale);

        const MixedValue gross(
            CheckedDouble(ReadLocaleDouble(inLocale(quantity, rs), rs) * ReadLocaleDouble(inLocale(price, rs), rs)));
        const MixedValue discountAmount =
            MixedArithmetic::Divide(MixedArithmetic::Multiply(gross, MixedValue(inLocale(discount, rs)), rs),
                                    MixedValue(std::int16_t{100}), rs);
        const QString first = PlainNumberText(ToCurrency(MixedArithmetic::Subtract(gross, discountAmount, rs), rs), rs);
        QCOMPARE(first, inLocale(firstForm, rs));
        QCOMPARE(FormatStandard(ReadLocaleCurrency(first, rs), rs), inLocale(finalForm, rs));
    }
};

QTEST_GUILESS_MAIN(ReadBackTest)
#include "tst_read_back.moc"
