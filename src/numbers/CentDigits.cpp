#include "CentDigits.h"

#include <charconv>
#include <cstring>

namespace {

// What roundScaled gives for two decimals, halves away from zero, straight from the count
// of ten-thousandths.
ScaledDigits centsOf(Currency amount)
{
    ScaledDigits out;
    const bool negative = amount.tenThousandths < 0;
    // The magnitude of the most negative value does not fit int64: work unsigned.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(amount.tenThousandths)
                                             : static_cast<std::uint64_t>(amount.tenThousandths);
    const std::uint64_t cents = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);
    out.length =
        static_cast<int>(std::to_chars(out.digits, out.digits + ScaledDigits::Capacity, cents).ptr - out.digits);
    out.negative = negative && cents != 0;
    return out;
}

}  // namespace

CentDigits::CentDigits(const DecimalNumber &amount) : scaled(roundScaled(amount, 2, Halves::AwayFromZero))
{
    settle();
}

CentDigits::CentDigits(Currency amount) : scaled(centsOf(amount))
{
    settle();
}

CentDigits::CentDigits(double value)
{
    const std::optional<std::int64_t> tenThousandths = nearestTenThousandths(value);
    scaled = tenThousandths ? centsOf(Currency{*tenThousandths})
                            : roundScaled(DecimalNumber::userView(value), 2, Halves::AwayFromZero);
    settle();
}

void CentDigits::settle()
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

void CentDigits::appendDecimals(TextBuffer &out, const QString &decimalSeparator) const
{
    out.add(decimalSeparator);
    out.addDigits(cents);
}

DecimalNumber CentDigits::number() const
{
    DecimalNumber read;
    for (const char digit : whole)
        read.addWholeDigit(digit);
    for (const char digit : cents)
        read.addFractionDigit(digit);
    read.negative = negative;
    return read;
}
