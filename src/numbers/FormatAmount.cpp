// FormatAmount: the pattern "## ### ##0.00" of the grid's and the price field's amounts.

#include "NumberRules.h"

#include "CentDigits.h"
#include "ErrorMode.h"

#include <algorithm>

namespace {

// The pattern "## ### ##0" read for what it writes: every digit of the whole part (those
// beyond its eight places in front, unseparated), and its two plain blanks, which stand
// before places 6 and 3 (counted from the units) and are copied whether or not a digit
// stands before them. A blank with no digit before it leads the text; the minus sign goes
// right before the first digit (NumberDecisions D3). Written straight into a text of the
// exact size: the listing writes 200 000 amounts.
QString layOutAmount(const CentDigits &rounded, const RegionalSettings &rs)
{
    const std::string_view whole = rounded.whole;
    const auto length = static_cast<qsizetype>(whole.size());
    const auto blankBefore = [](qsizetype place) { return place == 6 || place == 3; };
    const qsizetype innerBlanks = (length > 6 ? 1 : 0) + (length > 3 ? 1 : 0);
    const qsizetype leadingBlanks = 2 - innerBlanks;
    const QStringView minus = rounded.negative ? QStringView(rs.minusSign) : QStringView();

    QString out(leadingBlanks + minus.size() + length + innerBlanks + rs.decimalSeparator.size() + 2,
                Qt::Uninitialized);
    QChar *next = out.data();
    next = std::fill_n(next, leadingBlanks, QLatin1Char(' '));
    next = std::copy(minus.begin(), minus.end(), next);
    for (qsizetype i = 0; i < length; ++i) {
        const qsizetype place = length - i;
        if (i > 0 && blankBefore(place))
            *next++ = QLatin1Char(' ');
        *next++ = QLatin1Char(whole[std::size_t(i)]);
    }
    next = std::copy(rs.decimalSeparator.begin(), rs.decimalSeparator.end(), next);
    *next++ = QLatin1Char(rounded.cents[0]);
    *next = QLatin1Char(rounded.cents[1]);
    return out;
}

}  // namespace

// Halves decided as the user sees the double (NumberDecisions D2).
QString FormatAmount(double value, const RegionalSettings &rs)
{
    return layOutAmount(CentDigits(value), rs);
}

// A text that the locale-aware reader does not take comes back unchanged.
QString FormatAmount(const QString &text, const RegionalSettings &rs)
{
    const std::optional<double> value = TryReadLocaleDouble(text, rs);
    return value ? FormatAmount(*value, rs) : text;
}

namespace {

std::optional<Currency> centsAsCurrency(const CentDigits &rounded)
{
    // Beyond Currency: the reader fails on the text.
    return unlessItFails([&] { return rounded.number().toCurrency(); });
}

}  // namespace

std::optional<Currency> AmountReadBack(const MixedValue &value, const RegionalSettings &rs)
{
    switch (value.kind()) {
    case MixedValue::Kind::Null:
        return std::nullopt;  // written as the empty text
    case MixedValue::Kind::Currency: {
        // To the cent, halves away from zero, straight on the count of ten-thousandths
        // wherever that cannot overflow (every amount of a shop).
        const std::int64_t t = value.as<Currency>().tenThousandths;
        constexpr std::int64_t Safe = std::int64_t{1} << 62;
        if (t > -Safe && t < Safe) {
            const std::int64_t cents = ((t < 0 ? -t : t) + 50) / 100;
            return Currency::fromTenThousandths((t < 0 ? -cents : cents) * 100);
        }
        return centsAsCurrency(CentDigits(value.as<Currency>()));
    }
    case MixedValue::Kind::Text: {
        // An unreadable text is written unchanged, and stays unreadable.
        const std::optional<double> number = TryReadLocaleDouble(value.as<QString>(), rs);
        return number ? centsAsCurrency(CentDigits(*number)) : std::nullopt;
    }
    case MixedValue::Kind::Empty:
    case MixedValue::Kind::Int16:
    case MixedValue::Kind::Int32:
    case MixedValue::Kind::Double:
        return centsAsCurrency(CentDigits(MixedArithmetic::ToDouble(value, rs)));
    }
    Q_UNREACHABLE();
}

// Null shows as the empty text and empty as 0 (NumberDecisions D9).
QString FormatAmount(const MixedValue &value, const RegionalSettings &rs)
{
    switch (value.kind()) {
    case MixedValue::Kind::Null:
        return {};
    case MixedValue::Kind::Currency:
        return layOutAmount(CentDigits(value.as<Currency>()), rs);
    case MixedValue::Kind::Text:
        return FormatAmount(value.as<QString>(), rs);
    case MixedValue::Kind::Empty:
    case MixedValue::Kind::Int16:
    case MixedValue::Kind::Int32:
    case MixedValue::Kind::Double:
        return FormatAmount(MixedArithmetic::ToDouble(value, rs), rs);
    }
    Q_UNREACHABLE();
}
