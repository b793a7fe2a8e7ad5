// FormatStandard: the locale's grouping, two decimals, the locale's minus sign.

#include "NumberRules.h"
#include "TestLocales.h"

#include <QTest>

class FormatStandardTest : public QObject {
    Q_OBJECT
private slots:
    void formatsADouble_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");

        addRowInEachLocale("zero", 0.0, QString("0{d}00"));
        addRowInEachLocale("below one", 0.5, QString("0{d}50"));
        addRowInEachLocale("hundreds", 123.0, QString("123{d}00"));
        addRowInEachLocale("thousands", 1234.5, QString("1{g}234{d}50"));
        addRowInEachLocale("hundred thousands", 123456.0, QString("123{g}456{d}00"));
        addRowInEachLocale("millions", 1234567.891, QString("1{g}234{g}567{d}89"));
        addRowInEachLocale("negative millions", -1234567.891, QString("{m}1{g}234{g}567{d}89"));
        addRowInEachLocale("line total", 53.973, QString("53{d}97"));
        addRowInEachLocale("half as the user sees it", 2.675, QString("2{d}68"));
        addRowInEachLocale("half carrying to a thousand", 999.995, QString("1{g}000{d}00"));
        addRowInEachLocale("half of a small amount", 1.005, QString("1{d}01"));
        addRowInEachLocale("negative half", -1.005, QString("{m}1{d}01"));
        addRowInEachLocale("negative rounding to zero", -0.004, QString("0{d}00"));
        addRowInEachLocale("beyond fifteen digits", 1e18, QString("1{g}000{g}000{g}000{g}000{g}000{g}000{d}00"));
    }

    void formatsADouble()
    {
        compareWrittenText<double>(
            [](const double &value, const RegionalSettings &rs) { return FormatStandard(value, rs); });
    }

    void formatsACurrency_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<Currency>("value");
        QTest::addColumn<QString>("expected");

        addRowInEachLocale("zero", tenThousandths(0), QString("0{d}00"));
        addRowInEachLocale("half away from zero", tenThousandths(123450), QString("12{d}35"));
        addRowInEachLocale("negative half away from zero", tenThousandths(-123450), QString("{m}12{d}35"));
        addRowInEachLocale("half a cent", tenThousandths(50), QString("0{d}01"));
        addRowInEachLocale("below half a cent", tenThousandths(49), QString("0{d}00"));
        addRowInEachLocale("carrying to a thousand", tenThousandths(9999950), QString("1{g}000{d}00"));
        addRowInEachLocale("largest", Currency::max(), QString("922{g}337{g}203{g}685{g}477{d}58"));
        addRowInEachLocale("smallest", Currency::min(), QString("{m}922{g}337{g}203{g}685{g}477{d}58"));
    }

    void formatsACurrency()
    {
        compareWrittenText<Currency>(
            [](const Currency &value, const RegionalSettings &rs) { return FormatStandard(value, rs); });
    }

    // The description's own example, whatever the test locales' data say.
    void noBreakSpaceGrouping()
    {
        const RegionalSettings rs{QStringLiteral(","), QStringLiteral("\u00A0"), QStringLiteral("-")};
        QCOMPARE(FormatStandard(1234.5, rs), QStringLiteral("1\u00A0234,50"));
    }
};

QTEST_GUILESS_MAIN(FormatStandardTest)
#include "tst_format_standard.moc"
