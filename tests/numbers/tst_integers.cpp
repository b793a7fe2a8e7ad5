// ToInt32, the checked integer steps and CheckedDouble.

#include "NumberRules.h"
#include "TestLocales.h"

#include <QTest>
#include <cfloat>
#include <limits>

class IntegersTest : public QObject {
    Q_OBJECT
private slots:
    void toInt32_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<MixedValue>("value");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("expected");

        const int none = 0;
        addRowInEachLocale("half to even below", MixedValue(2.5), NoError, 2);
        addRowInEachLocale("half to even above", MixedValue(3.5), NoError, 4);
        addRowInEachLocale("negative half to even", MixedValue(-2.5), NoError, -2);
        addRowInEachLocale("negative half to even, away", MixedValue(-3.5), NoError, -4);
        addRowInEachLocale("below half", MixedValue(2.4999), NoError, 2);
        addRowInEachLocale("above half", MixedValue(-2.5001), NoError, -3);
        addRowInEachLocale("largest", MixedValue(2147483647.0), NoError, 2147483647);
        addRowInEachLocale("half below the largest", MixedValue(2147483646.5), NoError, 2147483646);
        addRowInEachLocale("half above the largest", MixedValue(2147483647.5), Overflow, none);
        addRowInEachLocale("half below the smallest, to even", MixedValue(-2147483648.5), NoError,
                           std::numeric_limits<int>::min());
        addRowInEachLocale("below the smallest", MixedValue(-2147483649.0), Overflow, none);
        addRowInEachLocale("currency half to even", MixedValue(tenThousandths(25000)), NoError, 2);
        addRowInEachLocale("currency half to even, up", MixedValue(tenThousandths(35000)), NoError, 4);
        addRowInEachLocale("negative currency half", MixedValue(tenThousandths(-25000)), NoError, -2);
        addRowInEachLocale("negative currency half, away", MixedValue(tenThousandths(-35000)), NoError, -4);
        addRowInEachLocale("currency above half", MixedValue(tenThousandths(25001)), NoError, 3);
        addRowInEachLocale("negative currency above half", MixedValue(tenThousandths(-25001)), NoError, -3);
        addRowInEachLocale("largest currency", MixedValue(Currency::max()), Overflow, none);
        addRowInEachLocale("text", MixedValue(QStringLiteral("2{d}5")), NoError, 2);
        addRowInEachLocale("grouped text", MixedValue(QStringLiteral("1{g}234")), NoError, 1234);
        addRowInEachLocale("text not a number", MixedValue(QStringLiteral("abc")), TypeMismatch, none);
        addRowInEachLocale("text beyond the range", MixedValue(QStringLiteral("3E9")), Overflow, none);
        addRowInEachLocale("null", MixedValue::null(), InvalidUseOfNull, none);
        addRowInEachLocale("empty", MixedValue(), NoError, 0);
        addRowInEachLocale("16-bit", MixedValue(std::int16_t{-32768}), NoError, -32768);
        addRowInEachLocale("32-bit", MixedValue(std::numeric_limits<std::int32_t>::min()), NoError,
                           std::numeric_limits<int>::min());
    }

    void toInt32()
    {
        QFETCH(QString, locale);
        QFETCH(MixedValue, value);
        QFETCH(int, error);
        QFETCH(int, expected);
        const RegionalSettings &rs = settingsNamed(locale);

        std::int32_t result = 0;
        QCOMPARE(raisedError([&] { result = ToInt32(inLocale(value, rs), rs); }), error);
        if (error == NoError)
            QCOMPARE(result, expected);
    }

    void checkedAdd_data()
    {
        QTest::addColumn<qint64>("a");
        QTest::addColumn<qint64>("b");
        QTest::addColumn<int>("error32");
        QTest::addColumn<int>("error16");

        QTest::newRow("row number minus one") << qint64(100) << qint64(-1) << NoError << NoError;
        QTest::newRow("16-bit largest plus one") << qint64(32767) << qint64(1) << NoError << Overflow;
        QTest::newRow("16-bit smallest minus one") << qint64(-32768) << qint64(-1) << NoError << Overflow;
        QTest::newRow("16-bit extremes") << qint64(32767) << qint64(-32768) << NoError << NoError;
        QTest::newRow("32-bit largest plus one") << qint64(2147483647) << qint64(1) << Overflow << Overflow;
        QTest::newRow("32-bit smallest minus one") << qint64(-2147483648) << qint64(-1) << Overflow << Overflow;
        QTest::newRow("32-bit extremes") << qint64(2147483647) << qint64(-2147483648) << NoError << Overflow;
    }

    // Each pair is added as 32-bit integers, and as 16-bit ones where both fit.
    void checkedAdd()
    {
        QFETCH(qint64, a);
        QFETCH(qint64, b);
        QFETCH(int, error32);
        QFETCH(int, error16);

        std::int32_t sum32 = 0;
        QCOMPARE(raisedError([&] { sum32 = CheckedAdd(std::int32_t(a), std::int32_t(b)); }), error32);
        if (error32 == NoError)
            QCOMPARE(qint64(sum32), a + b);

        const bool fit16 = a >= -32768 && a <= 32767 && b >= -32768 && b <= 32767;
        if (!fit16)
            return;
        std::int16_t sum16 = 0;
        QCOMPARE(raisedError([&] { sum16 = CheckedAdd(std::int16_t(a), std::int16_t(b)); }), error16);
        if (error16 == NoError)
            QCOMPARE(qint64(sum16), a + b);
    }

    void checkedDouble_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("ordinary") << 59.97 << NoError;
        QTest::newRow("largest") << DBL_MAX << NoError;
        QTest::newRow("minus zero") << -0.0 << NoError;
        QTest::newRow("a count read past the double range") << ReadLenient("1" + QString(400, u'0')) + 1 << Overflow;
    }

    void checkedDouble()
    {
        QFETCH(double, value);
        QFETCH(int, error);
        double result = 0;
        QCOMPARE(raisedError([&] { result = CheckedDouble(value); }), error);
        if (error == NoError)
            QCOMPARE(exactly(result), exactly(value));
    }
};

QTEST_GUILESS_MAIN(IntegersTest)
#include "tst_integers.moc"
