// A double that is not finite has no text and no amount: every rule that takes one raises
// an overflow error, as the check after a computation does.

#include "NumberRules.h"
#include "TestLocales.h"

#include <QTest>
#include <functional>
#include <limits>

class NotFiniteTest : public QObject {
    Q_OBJECT
private slots:
    void everyRuleRaisesAnOverflow_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        addRowInEachLocale("infinity", std::numeric_limits<double>::infinity());
        addRowInEachLocale("minus infinity", -std::numeric_limits<double>::infinity());
        addRowInEachLocale("not a number", std::numeric_limits<double>::quiet_NaN());
    }

    void everyRuleRaisesAnOverflow()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        const RegionalSettings &rs = settingsNamed(locale);
        const MixedValue mixed(value);

        const std::pair<const char *, std::function<void()>> rules[] = {
            {"CheckedDouble", [&] { CheckedDouble(value); }},
            {"FormatAmount", [&] { FormatAmount(value, rs); }},
            {"FormatAmount of a mixed value", [&] { FormatAmount(mixed, rs); }},
            {"FormatStandard", [&] { FormatStandard(value, rs); }},
            {"PlainNumberText", [&] { PlainNumberText(value, rs); }},
            {"JoinedText", [&] { MixedArithmetic::JoinedText(mixed, rs); }},
            {"ToCurrency", [&] { ToCurrency(value); }},
            {"ToCurrency of a mixed value", [&] { ToCurrency(mixed, rs); }},
            {"ToInt32", [&] { ToInt32(mixed, rs); }},
            {"Add", [&] { MixedArithmetic::Add(mixed, MixedValue(std::int16_t{0}), rs); }},
        };
        for (const auto &[name, rule] : rules)
            QVERIFY2(raisedError(rule) == Overflow, name);
    }
};

QTEST_GUILESS_MAIN(NotFiniteTest)
#include "tst_not_finite.moc"
