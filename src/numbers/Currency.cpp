// Checked Currency arithmetic and ToCurrency.

#include "Currency.h"

#include "DecimalNumber.h"
#include "NumberRules.h"
#include "RuntimeError.h"

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

// Rounded as the user sees the double (NumberDecisions D2), halves to even. An amount of
// four decimals or fewer is its own rounding.
Currency ToCurrency(double value)
{
    if (const std::optional<std::int64_t> tenThousandths = nearestTenThousandths(value))
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
