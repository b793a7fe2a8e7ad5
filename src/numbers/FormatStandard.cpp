// FormatStandard: the named format "standard" of the sheet's grand total and of the line
// total field: locale grouping, two decimals, the locale's minus sign in front.

#include "NumberRules.h"

#include "CentDigits.h"

namespace {

QString layOutStandard(const CentDigits &rounded, const RegionalSettings &rs)
{
    const std::string_view whole = rounded.whole;
    TextBuffer out;
    if (rounded.negative)
        out.add(rs.minusSign);
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            out.add(rs.groupSeparator);
        out.add(QLatin1Char(whole[i]));
    }
    rounded.appendDecimals(out, rs.decimalSeparator);
    return out.text();
}

}  // namespace

// Halves decided as the user sees the double (NumberDecisions D2).
QString FormatStandard(double value, const RegionalSettings &rs)
{
    return layOutStandard(CentDigits(value), rs);
}

QString FormatStandard(Currency value, const RegionalSettings &rs)
{
    return layOutStandard(CentDigits(value), rs);
}

// The digits FormatStandard writes, taken as the locale-aware reader takes them: their
// nearest double. Below 2^53 ten-thousandths, the count of cents is exact as a double and
// one division by 100 rounds correctly, as the reader's own conversion does.
double StandardReadBack(Currency value)
{
    constexpr std::int64_t ExactLimit = std::int64_t{1} << 53;
    if (value.tenThousandths > -ExactLimit && value.tenThousandths < ExactLimit) {
        const std::int64_t magnitude = value.tenThousandths < 0 ? -value.tenThousandths : value.tenThousandths;
        const std::int64_t cents = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);
        if (cents == 0)
            return 0;  // no sign on zero (NumberDecisions D8)
        const double amount = static_cast<double>(cents) / 100;
        return value.tenThousandths < 0 ? -amount : amount;
    }
    double result = 0;
    CentDigits(value).number().toDouble(result);  // a Currency amount is always in the double's range
    return result;
}
