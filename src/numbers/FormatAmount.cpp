// FormatAmount: the pattern "## ### ##0.00" of the grid's and the price field's amounts.

#include "NumberRules.h"

#include "CentDigits.h"

#include <algorithm>

namespace {

// Digit places ('#' prints only a digit that exists, '0' always prints) and plain blanks,
// which are copied whether or not a digit stands before them.
constexpr std::string_view Pattern = "## ### ##0";
constexpr int PatternPlaces = static_cast<int>(std::ranges::count_if(Pattern, [](char c) { return c != ' '; }));

QString layOut(const CentDigits &rounded, const RegionalSettings &rs)
{
    const std::string_view whole = rounded.whole;
    const int length = static_cast<int>(whole.size());

    TextBuffer out;
    // The minus sign goes right before the first digit (NumberDecisions D3).
    bool signPending = rounded.negative;
    auto putDigits = [&](std::string_view digits) {
        if (digits.empty())
            return;
        if (signPending) {
            out.add(rs.minusSign);
            signPending = false;
        }
        out.addDigits(digits);
    };

    // Digits beyond the pattern's places go in front of it, unseparated.
    const int overflowDigits = std::max(0, length - PatternPlaces);
    putDigits(whole.substr(0, static_cast<std::size_t>(overflowDigits)));
    int place = PatternPlaces;   // counted from the units, which are place 1
    for (const char c : Pattern) {
        if (c == ' ') {
            out.add(QLatin1Char(' '));
            continue;
        }
        // The whole part has at least its units digit, so the '0' place always prints.
        if (place <= length)
            putDigits(whole.substr(static_cast<std::size_t>(length - place), 1));
        --place;
    }
    rounded.appendDecimals(out, rs.decimalSeparator);
    return out.text();
}

} // namespace

// Halves decided as the user sees the double (NumberDecisions D2).
QString FormatAmount(double value, const RegionalSettings &rs)
{
    return layOut(CentDigits(value), rs);
}

// A text that the locale-aware reader does not take comes back unchanged.
QString FormatAmount(const QString &text, const RegionalSettings &rs)
{
    const std::optional<double> value = TryReadLocaleDouble(text, rs);
    return value ? FormatAmount(*value, rs) : text;
}

// Null shows as the empty text and empty as 0 (NumberDecisions D9).
QString FormatAmount(const MixedValue &value, const RegionalSettings &rs)
{
    switch (value.kind()) {
    case MixedValue::Kind::Null:
        return {};
    case MixedValue::Kind::Currency:
        return layOut(CentDigits(value.as<Currency>()), rs);
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
