// FormatAmount: the pattern "## ### ##0.00", plain blanks, the locale's decimal separator.

#include "NumberRules.h"
#include "TestLocales.h"

#include <QTest>

class FormatAmountTest : public QObject {
    Q_OBJECT
private slots:
    void formatsADouble_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");

        addRowInEachLocale("zero", 0.0, QString("  0{d}00"));
        addRowInEachLocale("fraction", 12.5, QString("  12{d}50"));
        addRowInEachLocale("hundreds", 100.0, QString("  100{d}00"));
        addRowInEachLocale("thousands", 1234.5, QString(" 1 234{d}50"));
        addRowInEachLocale("a thousand", 1000.0, QString(" 1 000{d}00"));
        addRowInEachLocale("ten thousands", 10000.0, QString(" 10 000{d}00"));
        addRowInEachLocale("hundred thousands", 100000.0, QString(" 100 000{d}00"));
        addRowInEachLocale("millions", 1234567.891, QString("1 234 567{d}89"));
        addRowInEachLocale("ten millions", 10000000.0, QString("10 000 000{d}00"));
        addRowInEachLocale("nine digits, in front of the pattern", 123456789.0, QString("123 456 789{d}00"));
        addRowInEachLocale("ten digits", 1234567890.0, QString("1234 567 890{d}00"));
        addRowInEachLocale("rounding carries into the thousands", 999.999, QString(" 1 000{d}00"));
        addRowInEachLocale("rounding carries past the pattern", 99999999.995, QString("100 000 000{d}00"));
        addRowInEachLocale("half as the user sees it", 2.675, QString("  2{d}68"));
        addRowInEachLocale("half carrying to a thousand", 999.995, QString(" 1 000{d}00"));
        addRowInEachLocale("half of a small amount", 1.005, QString("  1{d}01"));
        addRowInEachLocale("half of a cent", 0.005, QString("  0{d}01"));
        addRowInEachLocale("below half of a cent", 0.0049, QString("  0{d}00"));
        addRowInEachLocale("negative", -5.0, QString("  {m}5{d}00"));
        addRowInEachLocale("negative thousands", -1234.5, QString(" {m}1 234{d}50"));
        addRowInEachLocale("negative ten millions", -12345678.0, QString("{m}12 345 678{d}00"));
        addRowInEachLocale("negative nine digits", -123456789.0, QString("{m}123 456 789{d}00"));
        addRowInEachLocale("negative half", -2.675, QString("  {m}2{d}68"));
        addRowInEachLocale("negative rounding to zero", -0.004, QString("  0{d}00"));
        addRowInEachLocale("minus zero", -0.0, QString("  0{d}00"));
        addRowInEachLocale("beyond fifteen digits", 1e20, QString("100000000000000 000 000{d}00"));
    }

    void formatsADouble()
    {
        compareWrittenText<double>(
            [](const double &value, const RegionalSettings &rs) { return FormatAmount(value, rs); });
    }

    // A text is read by the locale-aware reader; one it does not take comes back unchanged.
    void formatsAText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        addRowInEachLocale("a number", QString("1234{d}5"), QString(" 1 234{d}50"));
        addRowInEachLocale("its own text", QString(" 1 234{d}50"), QString(" 1 234{d}50"));
        addRowInEachLocale("the standard format", QString("1{g}234{d}50"), QString(" 1 234{d}50"));
        addRowInEachLocale("blanks around", QString(" 12 "), QString("  12{d}00"));
        addRowInEachLocale("negative", QString("{m}3"), QString("  {m}3{d}00"));
        addRowInEachLocale("not a number", QString("abc"), QString("abc"));
        addRowInEachLocale("empty", QString(), QString());
        addRowInEachLocale("blanks only", QString("  "), QString("  "));
        addRowInEachLocale("beyond the double range", QString("1E400"), QString("1E400"));
    }

    void formatsAText()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const RegionalSettings &rs = settingsNamed(locale);
        const QString localText = inLocale(text, rs);
        const QString localExpected = inLocale(expected, rs);
        QCOMPARE(FormatAmount(localText, rs), localExpected);
        QCOMPARE(FormatAmount(MixedValue(localText), rs), localExpected);
    }

    void formatsAMixedValue_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<MixedValue>("value");
        QTest::addColumn<QString>("expected");

        addRowInEachLocale("null shows nothing", MixedValue::null(), QString());
        addRowInEachLocale("empty shows zero", MixedValue(), QString("  0{d}00"));
        addRowInEachLocale("16-bit", MixedValue(std::int16_t{-5}), QString("  {m}5{d}00"));
        addRowInEachLocale("32-bit", MixedValue(std::int32_t{1234567}), QString("1 234 567{d}00"));
        addRowInEachLocale("double", MixedValue(2469.0), QString(" 2 469{d}00"));
        addRowInEachLocale("currency half away from zero", MixedValue(tenThousandths(26750)), QString("  2{d}68"));
        addRowInEachLocale("currency, negative half", MixedValue(tenThousandths(-26750)), QString("  {m}2{d}68"));
        addRowInEachLocale("largest currency, all digits kept", MixedValue(Currency::max()),
                           QString("922337203 685 477{d}58"));
        addRowInEachLocale("smallest currency", MixedValue(Currency::min()), QString("{m}922337203 685 477{d}58"));
    }

    void formatsAMixedValue()
    {
        compareWrittenText<MixedValue>(
            [](const MixedValue &value, const RegionalSettings &rs) { return FormatAmount(value, rs); });
    }
};

QTEST_GUILESS_MAIN(FormatAmountTest)
#include "tst_format_amount.moc"
