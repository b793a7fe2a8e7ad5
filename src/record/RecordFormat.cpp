#include "RecordFormat.h"

#include <array>
#include <bit>
#include <cstdint>

namespace RecordFormat {

namespace {

constexpr std::array<const char *, 7> ValueKinds = {"v", "n", "i", "l", "d", "c", "t"};
constexpr std::array<const char *, 6> ChangeNames = {"cellule", "ajout",   "deplacement",
                                                     "nouveau", "ouverte", "retrouvee"};

template <class Integer>
std::optional<Integer> integerOf(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < qlonglong(std::numeric_limits<Integer>::min()) ||
        value > qlonglong(std::numeric_limits<Integer>::max()))
        return std::nullopt;
    return Integer(value);
}

}  // namespace

ValueFields valueFields(const MixedValue &value)
{
    const QString kind = QLatin1String(ValueKinds[std::size_t(value.kind())]);
    switch (value.kind()) {
    case MixedValue::Kind::Empty:
    case MixedValue::Kind::Null:
        return {kind, {}};
    case MixedValue::Kind::Int16:
        return {kind, QString::number(value.as<std::int16_t>())};
    case MixedValue::Kind::Int32:
        return {kind, QString::number(value.as<std::int32_t>())};
    case MixedValue::Kind::Double:
        // Its bits: the very double comes back, whatever it is.
        return {kind, QString::number(std::bit_cast<std::uint64_t>(value.as<double>()), 16)};
    case MixedValue::Kind::Currency:
        return {kind, QString::number(value.as<Currency>().tenThousandths)};
    case MixedValue::Kind::Text:
        return {kind, value.as<QString>()};
    }
    return {kind, {}};
}

std::optional<MixedValue> valueOf(const QString &kind, const QString &text)
{
    if (kind == u"v" && text.isEmpty())
        return MixedValue();
    if (kind == u"n" && text.isEmpty())
        return MixedValue::null();
    if (kind == u"i") {
        if (const std::optional<std::int16_t> value = integerOf<std::int16_t>(text))
            return MixedValue(*value);
    } else if (kind == u"l") {
        if (const std::optional<std::int32_t> value = integerOf<std::int32_t>(text))
            return MixedValue(*value);
    } else if (kind == u"d") {
        bool ok = false;
        const qulonglong bits = text.toULongLong(&ok, 16);
        if (ok)
            return MixedValue(std::bit_cast<double>(std::uint64_t(bits)));
    } else if (kind == u"c") {
        if (const std::optional<std::int64_t> value = integerOf<std::int64_t>(text))
            return MixedValue(Currency::fromTenThousandths(*value));
    } else if (kind == u"t") {
        return MixedValue(text);
    }
    return std::nullopt;
}

QString kindName(ChangeKind kind)
{
    return QLatin1String(ChangeNames[std::size_t(kind)]);
}

std::optional<ChangeKind> kindOf(const QString &name)
{
    for (std::size_t kind = 0; kind < ChangeNames.size(); ++kind) {
        if (name == QLatin1String(ChangeNames[kind]))
            return ChangeKind(kind);
    }
    return std::nullopt;
}

}  // namespace RecordFormat
