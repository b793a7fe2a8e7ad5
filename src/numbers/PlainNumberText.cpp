// PlainNumberText: digits without grouping or filling blanks, and without trailing zeros.

#include "NumberRules.h"

#include "DecimalNumber.h"
#include "NumberDecisions.h"

#include <cstdlib>

namespace {

QString signedDigits(std::int64_t value, const RegionalSettings &rs)
{
    const QString digits = QString::number(std::abs(value));
    return value < 0 ? rs.minusSign + digits : digits;
}

QLatin1String digitsOf(const DecimalNumber &n, int from, int to)
{
    return QLatin1String(n.digits + from, to - from);
}

// ±ddd, ±ddd,dd or ±0,000dd: the digits with the decimal separator where it falls.
QString plainForm(const DecimalNumber &n, const RegionalSettings &rs)
{
    if (n.isZero())
        return QStringLiteral("0");
    QString out;
    out.reserve(n.count + std::abs(n.exponent) + 4);
    if (n.negative)
        out += rs.minusSign;
    const int wholeDigits = n.count + n.exponent;
    if (n.exponent >= 0) {
        out += digitsOf(n, 0, n.count);
        out += QString(n.exponent, u'0');
    } else if (wholeDigits > 0) {
        out += digitsOf(n, 0, wholeDigits);
        out += rs.decimalSeparator;
        out += digitsOf(n, wholeDigits, n.count);
    } else {
        out += QLatin1Char('0');
        out += rs.decimalSeparator;
        out += QString(-wholeDigits, u'0');
        out += digitsOf(n, 0, n.count);
    }
    return out;
}

// ±d,dddE±xx (NumberDecisions D4).
QString exponentForm(const DecimalNumber &n, int power, const RegionalSettings &rs)
{
    QString out;
    if (n.negative)
        out += rs.minusSign;
    out += digitsOf(n, 0, 1);
    if (n.count > 1) {
        out += rs.decimalSeparator;
        out += digitsOf(n, 1, n.count);
    }
    out += QLatin1Char('E');
    out += power < 0 ? rs.minusSign : QStringLiteral("+");
    out += QStringLiteral("%1").arg(std::abs(power), 2, 10, QLatin1Char('0'));
    return out;
}

}  // namespace

QString PlainNumberText(std::int16_t value, const RegionalSettings &rs)
{
    return signedDigits(value, rs);
}

QString PlainNumberText(std::int32_t value, const RegionalSettings &rs)
{
    return signedDigits(value, rs);
}

QString PlainNumberText(double value, const RegionalSettings &rs)
{
    const DecimalNumber view = DecimalNumber::userView(value);
    const int power = view.count + view.exponent - 1;  // value = d,ddd × 10^power
    const bool plainFits = power < NumberDecisions::ViewDigits && power >= -4;
    return view.isZero() || plainFits ? plainForm(view, rs) : exponentForm(view, power, rs);
}

QString PlainNumberText(Currency value, const RegionalSettings &rs)
{
    return plainForm(DecimalNumber::exact(value), rs);
}
