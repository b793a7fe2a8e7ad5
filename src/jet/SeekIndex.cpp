#include "SeekIndex.h"

#include "EngineErrors.h"
#include "GeneralSortOrder.h"
#include "TableData.h"

#include <QLocale>
#include <algorithm>
#include <bit>
#include <cmath>
#include <string_view>

namespace jet {

namespace {

std::uint64_t hashOf(std::string_view bytes)
{
    return std::hash<std::string_view>{}(bytes);
}

// Numbers are compared as doubles: exact for every integer kind but 64-bit, and for
// currency amounts (whose double is the nearest to the decimal text typed).
double numberAt(const ColumnValues &values, ColumnType type, std::uint32_t row)
{
    if (values.storage() == Storage::Real)
        return values.real(row);
    if (type == ColumnType::Currency)
        return double(values.integer(row)) / Currency::Scale;
    return double(values.integer(row));
}

std::uint64_t hashOf(double number)
{
    return std::bit_cast<std::uint64_t>(number == 0.0 ? 0.0 : number);  // −0 equals 0
}

std::optional<double> keyAsNumber(const MixedValue &key)
{
    switch (key.kind()) {
    case MixedValue::Kind::Int16:
        return key.as<std::int16_t>();
    case MixedValue::Kind::Int32:
        return key.as<std::int32_t>();
    case MixedValue::Kind::Double:
        return key.as<double>();
    case MixedValue::Kind::Currency:
        return key.as<Currency>().toDouble();
    case MixedValue::Kind::Text: {
        bool ok = false;
        const double number = QLocale::c().toDouble(key.as<QString>().trimmed(), &ok);
        if (!ok)
            throw errors::dataTypeMismatch(key.as<QString>());
        return number;
    }
    default:
        return std::nullopt;
    }
}

std::optional<QString> keyAsText(const MixedValue &key)
{
    switch (key.kind()) {
    case MixedValue::Kind::Text:
        return key.as<QString>();
    case MixedValue::Kind::Empty:
        return QString();
    case MixedValue::Kind::Null:
        return std::nullopt;
    default:
        return QLocale::c().toString(*keyAsNumber(key), 'g', QLocale::FloatingPointShortest);
    }
}

}  // namespace

SeekIndex::SeekIndex(const TableData &table, int keyColumn) : m_table(table), m_column(keyColumn)
{
    const ColumnValues &values = table.values(keyColumn);
    const ColumnType type = table.column(keyColumn).type;
    std::string key;
    m_entries.reserve(table.rowCount());
    for (std::uint32_t row = 0; row < table.rowCount(); ++row) {
        if (values.isNull(row))
            continue;
        if (values.storage() == Storage::Text) {
            key.clear();
            GeneralSortOrder::appendSortKey(values.text(row), key);
            m_entries.push_back({hashOf(key), row});
        } else {
            m_entries.push_back({hashOf(numberAt(values, type, row)), row});
        }
    }
    std::sort(m_entries.begin(), m_entries.end());
}

template <class Matches>
std::optional<std::uint32_t> SeekIndex::firstMatch(std::uint64_t hash, Matches matches) const
{
    auto it = std::lower_bound(m_entries.begin(), m_entries.end(), Entry{hash, 0});
    for (; it != m_entries.end() && it->hash == hash; ++it) {
        if (matches(it->row))
            return it->row;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> SeekIndex::findText(const QString &key) const
{
    const ColumnValues &values = m_table.values(m_column);
    const std::string wanted = GeneralSortOrder::sortKey(key);
    return firstMatch(hashOf(wanted),
                      [&](std::uint32_t row) { return GeneralSortOrder::sortKey(values.text(row)) == wanted; });
}

std::optional<std::uint32_t> SeekIndex::findNumber(double key) const
{
    const ColumnValues &values = m_table.values(m_column);
    const ColumnType type = m_table.column(m_column).type;
    return firstMatch(hashOf(key), [&](std::uint32_t row) { return numberAt(values, type, row) == key; });
}

std::optional<std::uint32_t> SeekIndex::find(const MixedValue &key) const
{
    if (m_table.values(m_column).storage() == Storage::Text) {
        const std::optional<QString> text = keyAsText(key);
        return text ? findText(*text) : std::nullopt;
    }
    const std::optional<double> number = keyAsNumber(key);
    return number ? findNumber(*number) : std::nullopt;
}

}  // namespace jet
