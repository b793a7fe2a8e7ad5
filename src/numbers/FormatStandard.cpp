// FormatStandard: the named format "standard" of the sheet's grand total and of the line
// total field: locale grouping, two decimals, the locale's minus sign in front.

#include "NumberRules.h"

#include "CentDigits.h"

namespace {

QString layOut(const DecimalNumber &amount, const RegionalSettings &rs)
{
    const CentDigits rounded(amount);
    const std::string_view whole = rounded.whole;

    QString out;
    out.reserve(static_cast<qsizetype>(whole.size() + whole.size() / 3) + 4);
    if (rounded.negative)
        out += rs.minusSign;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            out += rs.groupSeparator;
        out += QLatin1Char(whole[i]);
    }
    rounded.appendDecimals(out, rs.decimalSeparator);
    return out;
}

} // namespace

// Halves decided as the user sees the double (NumberDecisions D2).
QString FormatStandard(double value, const RegionalSettings &rs)
{
    return layOut(DecimalNumber::userView(value), rs);
}

QString FormatStandard(Currency value, const RegionalSettings &rs)
{
    return layOut(DecimalNumber::exact(value), rs);
}
