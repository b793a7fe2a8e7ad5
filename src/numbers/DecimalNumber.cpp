#include "DecimalNumber.h"

#include "NumberDecisions.h"
#include "RuntimeError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

namespace {

// Exponents beyond this are far past every range this program meets; clamping keeps the
// sums of exponents from overflowing an int.
constexpr int ExponentLimit = 100000;

// A number below 10^-LowestPower rounds to zero as a double.
constexpr int LowestPower = 330;
// A number of at least 10^HighestPower is beyond the double's range.
constexpr int HighestPower = 310;

void dropTrailingZeros(DecimalNumber &n)
{
    while (n.count > 0 && n.digits[n.count - 1] == '0' && !n.droppedNonZero) {
        --n.count;
        ++n.exponent;
    }
}

int writeUnsigned(char *out, std::uint64_t value)
{
    const auto result = std::to_chars(out, out + 20, value);
    return static_cast<int>(result.ptr - out);
}

// The largest double as the user sees it, 1.79769313486232E+308, lies above the largest
// double; up to it a text still reads as the largest double, so that what the writers
// make of it reads back (NumberDecisions D7).
bool atMostLargestShown(const DecimalNumber &n)
{
    constexpr std::string_view Shown = "179769313486232";
    constexpr int ShownPower = 309;  // 0.179769313486232 × 10^309
    if (n.count + n.exponent != ShownPower)
        return false;
    const std::string_view digits(n.digits, static_cast<std::size_t>(n.count));
    const std::size_t common = std::min(digits.size(), Shown.size());
    const int order = digits.substr(0, common).compare(Shown.substr(0, common));
    if (order != 0)
        return order < 0;
    return !n.droppedNonZero && std::all_of(digits.begin() + static_cast<std::ptrdiff_t>(common), digits.end(),
                                            [](char d) { return d == '0'; });
}

// Most amounts have few digits: up to fifteen digits and a power of ten up to 10^22 are
// both exact as doubles, so one multiplication or division rounds correctly, without
// going through the general conversion.
bool exactlyRepresented(const DecimalNumber &n, double &value)
{
    constexpr int ExactDigits = 15;
    constexpr int ExactPower = 22;
    static constexpr double PowersOfTen[ExactPower + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                           1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                           1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (n.count > ExactDigits || n.droppedNonZero || n.exponent < -ExactPower || n.exponent > ExactPower)
        return false;
    std::int64_t whole = 0;
    for (int i = 0; i < n.count; ++i)
        whole = whole * 10 + (n.digits[i] - '0');
    const auto digitsValue = static_cast<double>(whole);
    value = n.exponent < 0 ? digitsValue / PowersOfTen[-n.exponent] : digitsValue * PowersOfTen[n.exponent];
    return true;
}

// "d[.ddd]e±xx" as std::to_chars writes it in scientific form.
void readScientific(const char *text, const char *end, DecimalNumber &n)
{
    const char *p = text;
    n.digits[n.count++] = *p++;
    if (*p == '.') {
        for (++p; *p != 'e'; ++p)
            n.digits[n.count++] = *p;
    }
    int power = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), end, power);
    n.exponent = power - (n.count - 1);
}

}  // namespace

void DecimalNumber::scaleByPowerOfTen(int power)
{
    exponent =
        std::clamp(exponent + std::clamp(power, -ExponentLimit, ExponentLimit), -2 * ExponentLimit, 2 * ExponentLimit);
}

// An amount k/10000 with |k| < 10^15 has at most fifteen digits; when the double is the
// nearest to it, the double lies within half a unit of its last binary place of it, which
// makes it the double's own fifteen-digit form (see userView).
std::optional<std::int64_t> nearestTenThousandths(double value)
{
    constexpr double Limit = 1e15;
    const double scaled = value * Currency::Scale;
    if (!(std::fabs(scaled) < Limit))
        return std::nullopt;
    const auto tenThousandths = static_cast<std::int64_t>(std::llround(scaled));
    if (static_cast<double>(tenThousandths) / Currency::Scale != value)
        return std::nullopt;
    return tenThousandths;
}

DecimalNumber DecimalNumber::userView(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError::overflow();
    DecimalNumber n;
    if (value == 0)
        return n;
    if (const std::optional<std::int64_t> tenThousandths = nearestTenThousandths(value))
        return exact(Currency{*tenThousandths});
    n.negative = value < 0;
    char text[40];
    // The shortest digits that read back as the double are, when there are no more than the
    // view has, the view's digits themselves: a normal double lies within half a unit of its
    // last binary place of them, far nearer than any other number of that many digits.
    // Amounts mostly have few digits, and the shortest form is much the quicker to find.
    const double magnitude = std::fabs(value);
    const bool normal = magnitude >= std::numeric_limits<double>::min();
    if (normal) {
        const auto shortest = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
        readScientific(text, shortest.ptr, n);
    }
    if (!normal || n.count > NumberDecisions::ViewDigits) {
        // "d.dddddddddddddde±xx": the view's digits, correctly rounded from the binary value.
        n.count = 0;
        const auto written = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                                           NumberDecisions::ViewDigits - 1);
        readScientific(text, written.ptr, n);
    }
    dropTrailingZeros(n);
    return n;
}

DecimalNumber DecimalNumber::exact(Currency value)
{
    DecimalNumber n;
    n.negative = value.tenThousandths < 0;
    // The magnitude of the most negative value does not fit int64: work unsigned.
    const std::uint64_t magnitude = n.negative ? 0 - static_cast<std::uint64_t>(value.tenThousandths)
                                               : static_cast<std::uint64_t>(value.tenThousandths);
    if (magnitude == 0) {
        n.negative = false;
        return n;
    }
    n.count = writeUnsigned(n.digits, magnitude);
    n.exponent = -4;
    dropTrailingZeros(n);
    return n;
}

bool DecimalNumber::toDouble(double &result) const
{
    result = 0;
    if (count == 0)
        return true;
    const int power = count + exponent;  // the value lies in [10^(power-1), 10^power)
    if (power > HighestPower)
        return false;
    if (power < -LowestPower)
        return true;

    double value = 0;
    if (exactlyRepresented(*this, value)) {
        result = negative ? -value : value;
        return true;
    }

    char text[MaxDigits + 32];
    std::memcpy(text, digits, static_cast<std::size_t>(count));
    int length = count;
    int scale = exponent;
    if (droppedNonZero) {
        // One more non-zero digit stands for all that was left out: enough to break a tie.
        text[length++] = '1';
        --scale;
    }
    text[length++] = 'e';
    length += static_cast<int>(std::to_chars(text + length, text + sizeof text, scale).ptr - (text + length));
    const auto parsed = std::from_chars(text, text + length, value, std::chars_format::scientific);
    if (parsed.ec == std::errc::result_out_of_range && power <= 0)
        return true;  // below the smallest double: 0
    if (parsed.ec == std::errc::result_out_of_range || !std::isfinite(value)) {
        if (!atMostLargestShown(*this))
            return false;
        value = std::numeric_limits<double>::max();
    }
    if (value != 0)
        result = negative ? -value : value;
    return true;
}

ScaledDigits roundScaled(const DecimalNumber &number, int decimals, Halves halves)
{
    ScaledDigits out;
    const int shift = number.exponent + decimals;
    const int whole = number.count + shift;  // digits before the rounding point
    if (number.count == 0 || whole < 0) {
        out.digits[0] = '0';
        out.length = 1;
        return out;
    }
    if (whole + 1 > ScaledDigits::Capacity)
        throw RuntimeError::overflow();

    bool up = false;
    if (shift >= 0) {
        std::memcpy(out.digits, number.digits, static_cast<std::size_t>(number.count));
        std::memset(out.digits + number.count, '0', static_cast<std::size_t>(shift));
    } else {
        std::memcpy(out.digits, number.digits, static_cast<std::size_t>(whole));
        const char first = number.digits[whole];
        const bool restNonZero =
            number.droppedNonZero ||
            std::any_of(number.digits + whole + 1, number.digits + number.count, [](char d) { return d != '0'; });
        if (first != '5')
            up = first > '5';
        else if (restNonZero || halves == Halves::AwayFromZero)
            up = true;
        else
            up = whole > 0 && (out.digits[whole - 1] - '0') % 2 == 1;
    }
    out.length = whole;

    if (up) {
        int i = out.length - 1;
        while (i >= 0 && out.digits[i] == '9')
            out.digits[i--] = '0';
        if (i >= 0) {
            ++out.digits[i];
        } else {
            std::memmove(out.digits + 1, out.digits, static_cast<std::size_t>(out.length));
            out.digits[0] = '1';
            ++out.length;
        }
    }
    if (out.length == 0) {
        out.digits[0] = '0';
        out.length = 1;
    }
    out.negative = number.negative && !(out.length == 1 && out.digits[0] == '0');
    return out;
}

Currency DecimalNumber::toCurrency() const
{
    // Only the count of digits is known before rounding; anything longer than the widest
    // Currency is out of range whatever the rounding does.
    constexpr int WidestCurrency = std::numeric_limits<std::int64_t>::digits10 + 1;
    if (count + exponent + 4 > WidestCurrency)
        throw RuntimeError::overflow();
    const ScaledDigits scaled = roundScaled(*this, 4, Halves::ToEven);
    if (scaled.length > WidestCurrency)
        throw RuntimeError::overflow();

    std::uint64_t magnitude = 0;
    const auto parsed = std::from_chars(scaled.digits, scaled.digits + scaled.length, magnitude);
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (scaled.negative ? 1 : 0);
    if (parsed.ec != std::errc() || magnitude > limit)
        throw RuntimeError::overflow();
    return Currency{scaled.negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude)};
}
