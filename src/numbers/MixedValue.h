#pragma once
// A value whose kind is known only when a step runs: database field values and cell
// texts enter computations in this form.

#include "Currency.h"

#include <QString>
#include <cstdint>
#include <variant>

class MixedValue {
public:
    struct Empty {
        bool operator==(const Empty &) const = default;
    };
    struct Null {
        bool operator==(const Null &) const = default;
    };
    using Storage = std::variant<Empty, Null, std::int16_t, std::int32_t, double, Currency, QString>;

    enum class Kind { Empty, Null, Int16, Int32, Double, Currency, Text };

    MixedValue() = default;
    MixedValue(Null) : m_value(Null{}) {}
    MixedValue(std::int16_t v) : m_value(v) {}
    MixedValue(std::int32_t v) : m_value(v) {}
    MixedValue(double v) : m_value(v) {}
    MixedValue(Currency v) : m_value(v) {}
    MixedValue(const QString &v) : m_value(v) {}
    MixedValue(const char *) = delete;  // say QStringLiteral: no silent Latin-1 guess

    static MixedValue null() { return MixedValue(Null{}); }

    Kind kind() const { return static_cast<Kind>(m_value.index()); }
    bool isNull() const { return kind() == Kind::Null; }
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isText() const { return kind() == Kind::Text; }
    bool isNumber() const;

    const Storage &storage() const { return m_value; }
    template <class T>
    const T &as() const
    {
        return std::get<T>(m_value);
    }

    bool operator==(const MixedValue &) const = default;

private:
    Storage m_value;
};
