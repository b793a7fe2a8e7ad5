// ×, −, ÷ and + on mixed values, and a mixed value as a text or a double.
//
// Result kinds: a double operand, or a text one (read as a double), gives a double, and so
// does ÷ always; Currency with Currency or an integer gives Currency; integers give an
// integer of the wider kind, widened to 32 bits and then to a double when the result does
// not fit. Null gives null; empty is the 16-bit integer 0 (NumberDecisions D9).

#include "NumberRules.h"

#include "RuntimeError.h"

#include <limits>
#include <variant>

namespace {

enum class Operator { Multiply, Subtract, Divide, Add };

// An operand once its text is read and empty made 0.
using Number = std::variant<std::int16_t, std::int32_t, double, Currency>;

Number numberOf(const MixedValue &value, const RegionalSettings &rs)
{
    switch (value.kind()) {
    case MixedValue::Kind::Empty:
        return std::int16_t{0};
    case MixedValue::Kind::Int16:
        return value.as<std::int16_t>();
    case MixedValue::Kind::Int32:
        return value.as<std::int32_t>();
    case MixedValue::Kind::Double:
        return value.as<double>();
    case MixedValue::Kind::Currency:
        return value.as<Currency>();
    case MixedValue::Kind::Text:
        return ReadLocaleDouble(value.as<QString>(), rs);
    case MixedValue::Kind::Null:
        break;
    }
    throw RuntimeError::invalidUseOfNull();
}

template <class T>
bool holds(const Number &a, const Number &b)
{
    return std::holds_alternative<T>(a) || std::holds_alternative<T>(b);
}

double toDouble(const Number &n)
{
    return std::visit(
        [](auto v) -> double {
            if constexpr (std::is_same_v<decltype(v), Currency>)
                return v.toDouble();
            else
                return v;
        },
        n);
}

// Only called once no operand is a double.
Currency toCurrency(const Number &n)
{
    return std::visit(
        [](auto v) -> Currency {
            if constexpr (std::is_same_v<decltype(v), Currency>)
                return v;
            else
                return Currency{static_cast<std::int64_t>(v) * Currency::Scale};
        },
        n);
}

// Only called once every operand is an integer.
std::int32_t toInteger(const Number &n)
{
    return std::holds_alternative<std::int16_t>(n) ? std::get<std::int16_t>(n) : std::get<std::int32_t>(n);
}

MixedValue onDoubles(Operator op, double a, double b)
{
    switch (op) {
    case Operator::Multiply:
        return CheckedDouble(a * b);
    case Operator::Subtract:
        return CheckedDouble(a - b);
    case Operator::Add:
        return CheckedDouble(a + b);
    case Operator::Divide:
        if (b == 0)  // 0 ÷ 0 has no value at all (NumberDecisions D10)
            throw a == 0 ? RuntimeError::overflow() : RuntimeError::divisionByZero();
        return CheckedDouble(a / b);
    }
    Q_UNREACHABLE();
}

// Four decimals kept, halves to even (NumberDecisions D11).
Currency multiply(Currency a, Currency b)
{
    const __int128 product = static_cast<__int128>(a.tenThousandths) * b.tenThousandths;
    __int128 quotient = product / Currency::Scale;
    const __int128 rest = product % Currency::Scale;  // same sign as the product
    const __int128 twiceRest = rest < 0 ? -2 * rest : 2 * rest;
    if (twiceRest > Currency::Scale || (twiceRest == Currency::Scale && quotient % 2 != 0))
        quotient += product < 0 ? -1 : 1;
    if (quotient < std::numeric_limits<std::int64_t>::min() || quotient > std::numeric_limits<std::int64_t>::max())
        throw RuntimeError::overflow();
    return Currency{static_cast<std::int64_t>(quotient)};
}

MixedValue onCurrencies(Operator op, Currency a, Currency b)
{
    switch (op) {
    case Operator::Multiply:
        return multiply(a, b);
    case Operator::Subtract:
        return a - b;
    case Operator::Add:
        return a + b;
    case Operator::Divide:
        break;  // ÷ always goes through doubles
    }
    Q_UNREACHABLE();
}

MixedValue onIntegers(Operator op, std::int64_t a, std::int64_t b, bool wide)
{
    std::int64_t result = 0;  // two 32-bit operands never overflow 64 bits
    switch (op) {
    case Operator::Multiply:
        result = a * b;
        break;
    case Operator::Subtract:
        result = a - b;
        break;
    case Operator::Add:
        result = a + b;
        break;
    case Operator::Divide:
        Q_UNREACHABLE();
    }
    auto fits = [result]<class Int>(Int) {
        return result >= std::numeric_limits<Int>::min() && result <= std::numeric_limits<Int>::max();
    };
    if (!wide && fits(std::int16_t{}))
        return static_cast<std::int16_t>(result);
    if (fits(std::int32_t{}))
        return static_cast<std::int32_t>(result);
    return static_cast<double>(result);
}

MixedValue apply(Operator op, const MixedValue &left, const MixedValue &right, const RegionalSettings &rs)
{
    if (left.isNull() || right.isNull())
        return MixedValue::null();
    const Number a = numberOf(left, rs);
    const Number b = numberOf(right, rs);
    if (op == Operator::Divide || holds<double>(a, b))
        return onDoubles(op, toDouble(a), toDouble(b));
    if (holds<Currency>(a, b))
        return onCurrencies(op, toCurrency(a), toCurrency(b));
    return onIntegers(op, toInteger(a), toInteger(b), holds<std::int32_t>(a, b));
}

}  // namespace

namespace MixedArithmetic {

MixedValue Multiply(const MixedValue &a, const MixedValue &b, const RegionalSettings &rs)
{
    return apply(Operator::Multiply, a, b, rs);
}

MixedValue Subtract(const MixedValue &a, const MixedValue &b, const RegionalSettings &rs)
{
    return apply(Operator::Subtract, a, b, rs);
}

MixedValue Divide(const MixedValue &a, const MixedValue &b, const RegionalSettings &rs)
{
    return apply(Operator::Divide, a, b, rs);
}

// Two texts are joined; a text beside a number is read as a number.
MixedValue Add(const MixedValue &a, const MixedValue &b, const RegionalSettings &rs)
{
    if (a.isText() && b.isText())
        return a.as<QString>() + b.as<QString>();
    return apply(Operator::Add, a, b, rs);
}

QString JoinedText(const MixedValue &value, const RegionalSettings &rs)
{
    switch (value.kind()) {
    case MixedValue::Kind::Empty:
    case MixedValue::Kind::Null:
        return {};
    case MixedValue::Kind::Int16:
        return PlainNumberText(value.as<std::int16_t>(), rs);
    case MixedValue::Kind::Int32:
        return PlainNumberText(value.as<std::int32_t>(), rs);
    case MixedValue::Kind::Double:
        return PlainNumberText(value.as<double>(), rs);
    case MixedValue::Kind::Currency:
        return PlainNumberText(value.as<Currency>(), rs);
    case MixedValue::Kind::Text:
        return value.as<QString>();
    }
    Q_UNREACHABLE();
}

QString ToText(const MixedValue &value, const RegionalSettings &rs)
{
    if (value.isNull())
        throw RuntimeError::invalidUseOfNull();
    return JoinedText(value, rs);
}

double ToDouble(const MixedValue &value, const RegionalSettings &rs)
{
    if (value.isNull())
        throw RuntimeError::invalidUseOfNull();
    return toDouble(numberOf(value, rs));
}

}  // namespace MixedArithmetic
