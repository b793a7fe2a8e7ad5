// PlainNumberText: digits with no grouping, no filling blanks and no trailing zeros.

#include "NumberRules.h"
#include "TestLocales.h"

#include <QTest>
#include <limits>

class PlainNumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void integers_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<MixedValue>("value");
        QTest::addColumn<QString>("expected");

        addRowInEachLocale("16-bit zero", MixedValue(std::int16_t{0}), QString("0"));
        addRowInEachLocale("16-bit largest", MixedValue(std::int16_t{32767}), QString("32767"));
        addRowInEachLocale("16-bit smallest", MixedValue(std::int16_t{-32768}), QString("{m}32768"));
        addRowInEachLocale("32-bit thousands, not grouped", MixedValue(std::int32_t{1234567}), QString("1234567"));
        addRowInEachLocale("32-bit largest", MixedValue(std::int32_t{2147483647}), QString("2147483647"));
        addRowInEachLocale("32-bit smallest", MixedValue(std::int32_t{-2147483647 - 1}), QString("{m}2147483648"));
    }

    void integers()
    {
        compareWrittenText<MixedValue>([](const MixedValue &value, const RegionalSettings &rs) {
            return value.kind() == MixedValue::Kind::Int16 ? PlainNumberText(value.as<std::int16_t>(), rs)
                                                           : PlainNumberText(value.as<std::int32_t>(), rs);
        });
    }

    void doubles_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");

        addRowInEachLocale("whole, no separator", 3.0, QString("3"));
        addRowInEachLocale("zero", 0.0, QString("0"));
        addRowInEachLocale("minus zero", -0.0, QString("0"));
        addRowInEachLocale("a tenth", 0.1, QString("0{d}1"));
        addRowInEachLocale("thousands, not grouped", 1234.5, QString("1234{d}5"));
        addRowInEachLocale("negative", -2.5, QString("{m}2{d}5"));
        addRowInEachLocale("sum in binary", 0.1 + 0.2, QString("0{d}3"));
        addRowInEachLocale("a third, fifteen digits", 1.0 / 3, QString("0{d}333333333333333"));
        addRowInEachLocale("two thirds, rounded", 2.0 / 3, QString("0{d}666666666666667"));
        addRowInEachLocale("fifteen whole digits", 123456789012345.0, QString("123456789012345"));
        addRowInEachLocale("largest plain", 999999999999999.0, QString("999999999999999"));
        addRowInEachLocale("sixteen digits rounded up", 999999999999999.9, QString("1E+15"));
        addRowInEachLocale("sixteen digits", 1e15, QString("1E+15"));
        addRowInEachLocale("sixteen digits with a mantissa", 1234567890123456.0, QString("1{d}23456789012346E+15"));
        addRowInEachLocale("negative large", -2.5e20, QString("{m}2{d}5E+20"));
        addRowInEachLocale("three-digit exponent", 1e100, QString("1E+100"));
        addRowInEachLocale("four zeros after the separator", 0.0001, QString("0{d}0001"));
        addRowInEachLocale("five zeros after the separator", 0.00001, QString("1E{m}05"));
        addRowInEachLocale("small with a mantissa", 1.5e-5, QString("1{d}5E{m}05"));
        addRowInEachLocale("smallest subnormal", 4.9406564584124654e-324, QString("4{d}94065645841247E{m}324"));
        addRowInEachLocale("largest double", std::numeric_limits<double>::max(), QString("1{d}79769313486232E+308"));
    }

    void doubles()
    {
        compareWrittenText<double>(
            [](const double &value, const RegionalSettings &rs) { return PlainNumberText(value, rs); });
    }

    void currencies_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<Currency>("value");
        QTest::addColumn<QString>("expected");

        addRowInEachLocale("trailing zeros dropped", tenThousandths(123400), QString("12{d}34"));
        addRowInEachLocale("thousands, not grouped", tenThousandths(12345000), QString("1234{d}5"));
        addRowInEachLocale("whole", tenThousandths(1000000), QString("100"));
        addRowInEachLocale("zero", tenThousandths(0), QString("0"));
        addRowInEachLocale("one ten-thousandth", tenThousandths(1), QString("0{d}0001"));
        addRowInEachLocale("negative", tenThousandths(-5000), QString("{m}0{d}5"));
        addRowInEachLocale("line total", tenThousandths(539730), QString("53{d}973"));
        addRowInEachLocale("largest", Currency::max(), QString("922337203685477{d}5807"));
        addRowInEachLocale("smallest", Currency::min(), QString("{m}922337203685477{d}5808"));
    }

    void currencies()
    {
        compareWrittenText<Currency>(
            [](const Currency &value, const RegionalSettings &rs) { return PlainNumberText(value, rs); });
    }
};

QTEST_GUILESS_MAIN(PlainNumberTextTest)
#include "tst_plain_number_text.moc"
