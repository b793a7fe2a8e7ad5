// Checked Currency arithmetic and ToCurrency.

#include "Currency.h"

#include "DecimalNumber.h"
#include "NumberRules.h"
#include "RuntimeError.h"

#include <cmath>
#include <optional>

Currency operator+(Currency a, Currency b)
{
    Currency sum;
    if (__builtin_add_overflow(a.tenThousandths, b.tenThousandths, &sum.tenThousandths))
        throw RuntimeError::overflow();
    return sum;
}

Currency operator-(Currency a, Currency b)
{
    Currency difference;
    if (__builtin_sub_overflow(a.tenThousandths, b.tenThousandths, &difference.tenThousandths))
        throw RuntimeError::overflow();
    return difference;
}

namespace {

// The doubles a sheet rounds (prices, products, sums of 100 000 lines) lie below 10^10.
// There the fifteen digits the user sees stand within 5·10^-6 of the double (5·10^-7
// below 10^9), and the double times 10 000, computed in doubles, within 0.008 of its exact
// product (0.001): when that product lies more than 0.06 (0.01) from a half, the seen
// number and the double round to the same ten-thousandth. Near a half, only the seen
// digits can decide.
std::optional<std::int64_t> plainlyRounded(double value)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude < 1e10))
        return std::nullopt;
    const double margin = magnitude < 1e9 ? 0.01 : 0.06;
    const double scaled = value * Currency::Scale;
    const double fraction = std::fabs(scaled - std::trunc(scaled));
    if (std::fabs(fraction - 0.5) <= margin)
        return std::nullopt;
    return std::llround(scaled);
}

}  // namespace

// Rounded as the user sees the double (NumberDecisions D2), halves to even.
Currency ToCurrency(double value)
{
    if (const std::optional<std::int64_t> tenThousandths = plainlyRounded(value))
        return Currency{*tenThousandths};
    return DecimalNumber::userView(value).toCurrency();
}

Currency ToCurrency(const MixedValue &value, const RegionalSettings &rs)
{
    switch (value.kind()) {
    case MixedValue::Kind::Empty:
        return {};
    case MixedValue::Kind::Null:
        throw RuntimeError::invalidUseOfNull();
    case MixedValue::Kind::Int16:
        return {value.as<std::int16_t>() * Currency::Scale};
    case MixedValue::Kind::Int32:
        return {value.as<std::int32_t>() * Currency::Scale};
    case MixedValue::Kind::Double:
        return ToCurrency(value.as<double>());
    case MixedValue::Kind::Currency:
        return value.as<Currency>();
    case MixedValue::Kind::Text:
        return ReadLocaleCurrency(value.as<QString>(), rs);
    }
    Q_UNREACHABLE();
}
