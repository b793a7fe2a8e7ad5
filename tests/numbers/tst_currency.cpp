// Currency: checked addition and subtraction at the range edges, and ToCurrency.

#include "NumberRules.h"
#include "TestLocales.h"

#include <QTest>

class CurrencyTest : public QObject {
    Q_OBJECT
private slots:
    void addsAndSubtractsWithinRange_data()
    {
        QTest::addColumn<Currency>("a");
        QTest::addColumn<Currency>("b");
        QTest::addColumn<int>("sumError");
        QTest::addColumn<Currency>("sum");
        QTest::addColumn<int>("differenceError");
        QTest::addColumn<Currency>("difference");

        const Currency tick = tenThousandths(1);
        const Currency zero{};
        QTest::newRow("small") << tenThousandths(15000) << tenThousandths(2500) << NoError << tenThousandths(17500)
                               << NoError << tenThousandths(12500);
        QTest::newRow("largest and one tick") << Currency::max() << tick << Overflow << zero << NoError
                                              << tenThousandths(Currency::max().tenThousandths - 1);
        QTest::newRow("smallest and one tick")
            << Currency::min() << tick << NoError << tenThousandths(Currency::min().tenThousandths + 1) << Overflow
            << zero;
        QTest::newRow("largest and smallest")
            << Currency::max() << Currency::min() << NoError << tenThousandths(-1) << Overflow << zero;
        QTest::newRow("zero and smallest") << zero << Currency::min() << NoError << Currency::min() << Overflow << zero;
        QTest::newRow("largest and minus one tick")
            << Currency::max() << tenThousandths(-1) << NoError << tenThousandths(Currency::max().tenThousandths - 1)
            << Overflow << zero;
    }

    void addsAndSubtractsWithinRange()
    {
        QFETCH(Currency, a);
        QFETCH(Currency, b);
        QFETCH(int, sumError);
        QFETCH(Currency, sum);
        QFETCH(int, differenceError);
        QFETCH(Currency, difference);

        Currency result;
        QCOMPARE(raisedError([&] { result = a + b; }), sumError);
        if (sumError == NoError)
            QCOMPARE(result.tenThousandths, sum.tenThousandths);
        QCOMPARE(raisedError([&] { result = a - b; }), differenceError);
        if (differenceError == NoError)
            QCOMPARE(result.tenThousandths, difference.tenThousandths);
    }

    // Halves to even, decided on the double as the user sees it (fifteen digits).
    void roundsADouble_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<Currency>("expected");

        QTest::newRow("half to even below") << 2.00005 << tenThousandths(20000);
        QTest::newRow("half to even above") << 2.00015 << tenThousandths(20002);
        QTest::newRow("small half to zero") << 0.00005 << tenThousandths(0);
        QTest::newRow("small half up") << 0.00015 << tenThousandths(2);
        QTest::newRow("half up to even") << 0.00035 << tenThousandths(4);
        QTest::newRow("negative half") << -2.00005 << tenThousandths(-20000);
        QTest::newRow("negative half up") << -0.00015 << tenThousandths(-2);
        QTest::newRow("not a half") << 1.23456789 << tenThousandths(12346);
        QTest::newRow("line total") << 53.973 << tenThousandths(539730);
        QTest::newRow("sum in binary") << 0.1 + 0.2 << tenThousandths(3000);
        QTest::newRow("below a ten-thousandth") << 1e-5 << tenThousandths(0);
        QTest::newRow("minus zero") << -0.0 << tenThousandths(0);
        QTest::newRow("whole") << 922337203685477.0 << tenThousandths(9223372036854770000);
        QTest::newRow("negative whole") << -922337203685477.0 << tenThousandths(-9223372036854770000);
    }

    void roundsADouble()
    {
        QFETCH(double, value);
        QFETCH(Currency, expected);
        QCOMPARE(ToCurrency(value).tenThousandths, expected.tenThousandths);
    }

    void doubleBeyondTheRange_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("a thousand million millions") << 1e15;
        QTest::newRow("the largest as a double") << Currency::max().toDouble();
        QTest::newRow("the smallest as a double, rounded by fifteen digits") << Currency::min().toDouble();
        QTest::newRow("huge negative") << -1e300;
    }

    void doubleBeyondTheRange()
    {
        QFETCH(double, value);
        QCOMPARE(raisedError([&] { ToCurrency(value); }), Overflow);
    }

    void convertsAMixedValue_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<MixedValue>("value");
        QTest::addColumn<int>("error");
        QTest::addColumn<Currency>("expected");

        const Currency none{};
        addRowInEachLocale("empty", MixedValue(), NoError, tenThousandths(0));
        addRowInEachLocale("null", MixedValue::null(), InvalidUseOfNull, none);
        addRowInEachLocale("16-bit", MixedValue(std::int16_t{-32768}), NoError, tenThousandths(-327680000));
        addRowInEachLocale("32-bit", MixedValue(std::int32_t{2147483647}), NoError, tenThousandths(21474836470000));
        addRowInEachLocale("double", MixedValue(2.00015), NoError, tenThousandths(20002));
        addRowInEachLocale("currency", MixedValue(Currency::min()), NoError, Currency::min());
        addRowInEachLocale("text half to even", MixedValue(QStringLiteral("2{d}00005")), NoError,
                           tenThousandths(20000));
        addRowInEachLocale("text half up", MixedValue(QStringLiteral("2{d}00015")), NoError, tenThousandths(20002));
        addRowInEachLocale("text as an amount", MixedValue(QStringLiteral(" 1 234{d}50")), NoError,
                           tenThousandths(12345000));
        addRowInEachLocale("text not a number", MixedValue(QStringLiteral("abc")), TypeMismatch, none);
        addRowInEachLocale("text beyond the range", MixedValue(QStringLiteral("1E15")), Overflow, none);
        addRowInEachLocale("double beyond the range", MixedValue(-1e15), Overflow, none);
    }

    void convertsAMixedValue()
    {
        QFETCH(QString, locale);
        QFETCH(MixedValue, value);
        QFETCH(int, error);
        QFETCH(Currency, expected);
        const RegionalSettings &rs = settingsNamed(locale);

        Currency result;
        QCOMPARE(raisedError([&] { result = ToCurrency(inLocale(value, rs), rs); }), error);
        if (error == NoError)
            QCOMPARE(result.tenThousandths, expected.tenThousandths);
    }
};

QTEST_GUILESS_MAIN(CurrencyTest)
#include "tst_currency.moc"
