#include "CentDigits.h"

#include <cstring>

CentDigits::CentDigits(const DecimalNumber &amount)
    : scaled(roundScaled(amount, 2, Halves::AwayFromZero))
{
    // At least one whole digit: pad small amounts to "0dd".
    constexpr int Shortest = 3;
    if (scaled.length < Shortest) {
        const int pad = Shortest - scaled.length;
        std::memmove(scaled.digits + pad, scaled.digits, static_cast<std::size_t>(scaled.length));
        std::memset(scaled.digits, '0', static_cast<std::size_t>(pad));
        scaled.length = Shortest;
    }
    negative = scaled.negative;
    const auto wholeLength = static_cast<std::size_t>(scaled.length - 2);
    whole = std::string_view(scaled.digits, wholeLength);
    cents = std::string_view(scaled.digits + wholeLength, 2);
}

void CentDigits::appendDecimals(QString &out, const QString &decimalSeparator) const
{
    out += decimalSeparator;
    out += QLatin1String(cents.data(), 2);
}
