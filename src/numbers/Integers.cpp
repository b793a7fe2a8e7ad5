// ToInt32 and the checked steps on row and column numbers.

#include "NumberRules.h"

#include "RuntimeError.h"

#include <cmath>
#include <limits>

namespace {

template <class Int>
Int checkedRange(auto value)
{
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
        throw RuntimeError::overflow();
    return static_cast<Int>(value);
}

// The double itself, not its fifteen-digit view: row numbers are whole (NumberDecisions D2).
std::int32_t roundHalfEven(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError::overflow();
    double whole = std::floor(value);
    const double fraction = value - whole;  // exact for every double
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0))
        whole += 1;
    return checkedRange<std::int32_t>(whole);
}

std::int32_t roundHalfEven(Currency value)
{
    std::int64_t whole = value.tenThousandths / Currency::Scale;
    std::int64_t rest = value.tenThousandths % Currency::Scale;
    if (rest < 0) {  // make the rest non-negative: whole is then the floor
        rest += Currency::Scale;
        --whole;
    }
    if (rest > Currency::Scale / 2 || (rest == Currency::Scale / 2 && whole % 2 != 0))
        ++whole;
    return checkedRange<std::int32_t>(whole);
}

}  // namespace

std::int32_t ToInt32(const MixedValue &value, const RegionalSettings &rs)
{
    switch (value.kind()) {
    case MixedValue::Kind::Empty:
        return 0;
    case MixedValue::Kind::Null:
        throw RuntimeError::invalidUseOfNull();
    case MixedValue::Kind::Int16:
        return value.as<std::int16_t>();
    case MixedValue::Kind::Int32:
        return value.as<std::int32_t>();
    case MixedValue::Kind::Double:
        return roundHalfEven(value.as<double>());
    case MixedValue::Kind::Currency:
        return roundHalfEven(value.as<Currency>());
    case MixedValue::Kind::Text:
        return roundHalfEven(ReadLocaleDouble(value.as<QString>(), rs));
    }
    Q_UNREACHABLE();
}

std::int32_t CheckedAdd(std::int32_t a, std::int32_t b)
{
    return checkedRange<std::int32_t>(std::int64_t{a} + b);
}

std::int16_t CheckedAdd(std::int16_t a, std::int16_t b)
{
    return checkedRange<std::int16_t>(std::int32_t{a} + b);
}
