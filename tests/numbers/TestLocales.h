#pragma once
// The four regional settings every number rule is tested under, built from QLocale without
// touching the process environment, and the helpers that let one table row serve all four.

#include "MixedValue.h"
#include "RegionalSettings.h"
#include "RuntimeError.h"

#include <QTest>
#include <array>
#include <optional>

struct TestLocale {
    const char *name;
    RegionalSettings rs;
};

inline const std::array<TestLocale, 4> &testLocales()
{
    static const std::array<TestLocale, 4> locales{{
        {"fr_FR", RegionalSettings::fromLocale(QLocale(QLocale::French, QLocale::France))},
        {"de_DE", RegionalSettings::fromLocale(QLocale(QLocale::German, QLocale::Germany))},
        {"en_US", RegionalSettings::fromLocale(QLocale(QLocale::English, QLocale::UnitedStates))},
        {"C", RegionalSettings::fromLocale(QLocale::c())},
    }};
    return locales;
}

inline const RegionalSettings &settingsNamed(const QString &name)
{
    for (const TestLocale &locale : testLocales()) {
        if (name == QLatin1String(locale.name))
            return locale.rs;
    }
    qFatal("no test locale named %s", qPrintable(name));
}

// A text written for any locale: {d} stands for the decimal separator, {g} for the
// locale's group separator and {m} for its minus sign.
inline QString inLocale(QString pattern, const RegionalSettings &rs)
{
    return pattern.replace(QLatin1String("{d}"), rs.decimalSeparator)
        .replace(QLatin1String("{g}"), rs.groupSeparator)
        .replace(QLatin1String("{m}"), rs.minusSign);
}

inline MixedValue inLocale(const MixedValue &value, const RegionalSettings &rs)
{
    return value.isText() ? MixedValue(inLocale(value.as<QString>(), rs)) : value;
}

// One data row per test locale; the first column, "locale", names it.
template <class... Values>
void addRowInEachLocale(const char *label, const Values &...values)
{
    for (const TestLocale &locale : testLocales()) {
        QTestData &row = QTest::addRow("%s [%s]", label, locale.name);
        row << QString::fromLatin1(locale.name);
        (row << ... << values);
    }
}

// The body of every "this rule writes this text" test: the row gives the locale, the value
// and the expected text, written for any locale.
template <class Value, class Rule>
void compareWrittenText(Rule &&rule)
{
    QFETCH(QString, locale);
    QFETCH(Value, value);
    QFETCH(QString, expected);
    const RegionalSettings &rs = settingsNamed(locale);
    QCOMPARE(rule(value, rs), inLocale(expected, rs));
}

// The kind of error a rule raised, as a table column can hold it; NoError when none.
constexpr int NoError = -1;
constexpr int TypeMismatch = int(ErrorKind::TypeMismatch);
constexpr int Overflow = int(ErrorKind::Overflow);
constexpr int DivisionByZero = int(ErrorKind::DivisionByZero);
constexpr int InvalidUseOfNull = int(ErrorKind::InvalidUseOfNull);

template <class Rule>
int raisedError(Rule &&rule)
{
    try {
        rule();
    } catch (const RuntimeError &e) {
        return int(e.kind());
    }
    return NoError;
}

// A mixed value's kind and value in one readable text, for comparisons that show both.
inline QString describe(const MixedValue &value)
{
    switch (value.kind()) {
    case MixedValue::Kind::Empty:
        return QStringLiteral("Empty");
    case MixedValue::Kind::Null:
        return QStringLiteral("Null");
    case MixedValue::Kind::Int16:
        return QStringLiteral("Int16 %1").arg(value.as<std::int16_t>());
    case MixedValue::Kind::Int32:
        return QStringLiteral("Int32 %1").arg(value.as<std::int32_t>());
    case MixedValue::Kind::Double:
        return QStringLiteral("Double %1").arg(value.as<double>(), 0, 'g', 17);
    case MixedValue::Kind::Currency:
        return QStringLiteral("Currency %1").arg(value.as<Currency>().tenThousandths);
    case MixedValue::Kind::Text:
        return QStringLiteral("Text \"%1\"").arg(value.as<QString>());
    }
    Q_UNREACHABLE();
}

// A double as a text that tells every double apart, minus zero included: QCOMPARE on two
// doubles forgives small differences, and these rules are about the last digit.
inline QString exactly(double value)
{
    return QString::number(value, 'g', 17);
}

inline Currency tenThousandths(std::int64_t t)
{
    return Currency::fromTenThousandths(t);
}

Q_DECLARE_METATYPE(MixedValue)
Q_DECLARE_METATYPE(Currency)
