#include "SeekIndex.h"

#include "EngineErrors.h"
#include "GeneralSortOrder.h"
#include "HugePages.h"
#include "TableData.h"

#include <QLocale>
#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>
#include <string>

namespace jet {

namespace {

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
    // −0 equals 0. Multiplied by an odd constant, so that the top bits depend on every bit.
    return std::bit_cast<std::uint64_t>(number == 0.0 ? 0.0 : number) * 0x9E37'79B9'7F4A'7C15;
}

// About one group per four rows: a look-up hashes a few texts of its group before it
// compares one, which costs far less than a keystroke's other work, and the groups' starts
// take a quarter of the memory.
int shiftFor(std::uint32_t rows)
{
    return 64 - std::max(1, int(std::bit_width(rows / 4)));
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

SeekIndex::SeekIndex(const TableData &table, int keyColumn)
    : m_table(table), m_column(keyColumn), m_shift(shiftFor(table.rowCount()))
{
    const ColumnValues &values = table.values(keyColumn);
    if (values.storage() == Storage::Text) {
        // Hashed once per distinct text.
        const DistinctTexts &texts = values.distinctTexts();
        std::vector<std::uint32_t> groupOfText;
        reserveOnHugePages(groupOfText, texts.count());
        groupOfText.resize(texts.count());
        std::u16string scratch;
        for (std::uint32_t number = 0; number < texts.count(); ++number)
            groupOfText[number] = groupOf(GeneralSortOrder::equalityHash(texts.utf16(number, scratch)));
        groupRows([&](std::uint32_t row) { return groupOfText[values.textNumber(row)]; });
    } else {
        const ColumnType type = table.column(keyColumn).type;
        groupRows([&](std::uint32_t row) { return groupOf(hashOf(numberAt(values, type, row))); });
    }
}

// Counted, then placed from the last row to the first, each group filled from its end:
// stored order within a group, and the counts become the starts.
template <class GroupOfRow>
void SeekIndex::groupRows(GroupOfRow groupOfRow)
{
    const ColumnValues &values = m_table.values(m_column);
    const std::uint32_t rows = m_table.rowCount();
    const std::size_t groups = std::size_t(1) << (64 - m_shift);
    reserveOnHugePages(m_groupStarts, groups + 1);
    m_groupStarts.assign(groups + 1, 0);
    std::uint32_t nonNull = 0;
    for (std::uint32_t row = 0; row < rows; ++row) {
        if (!values.isNull(row)) {
            ++m_groupStarts[groupOfRow(row)];
            ++nonNull;
        }
    }
    std::partial_sum(m_groupStarts.begin(), m_groupStarts.end(), m_groupStarts.begin());  // the ends
    reserveOnHugePages(m_rows, nonNull);
    m_rows.resize(nonNull);
    for (std::uint32_t row = rows; row-- > 0;) {
        if (!values.isNull(row))
            m_rows[--m_groupStarts[groupOfRow(row)]] = row;
    }
}

template <class Matches>
std::optional<std::uint32_t> SeekIndex::firstMatch(std::uint64_t hash, Matches matches) const
{
    const std::size_t group = groupOf(hash);
    for (std::uint32_t i = m_groupStarts[group]; i < m_groupStarts[group + 1]; ++i) {
        if (matches(m_rows[i]))
            return m_rows[i];
    }
    return std::nullopt;
}

// A row whose text has the key's hash is confirmed by the sort keys, the order's equality.
std::optional<std::uint32_t> SeekIndex::findText(const QString &key) const
{
    const ColumnValues &values = m_table.values(m_column);
    const std::uint64_t hash = GeneralSortOrder::equalityHash(key);
    std::optional<std::string> wanted;
    std::u16string scratch;
    return firstMatch(hash, [&](std::uint32_t row) {
        const QStringView text = values.distinctTexts().utf16(values.textNumber(row), scratch);
        if (GeneralSortOrder::equalityHash(text) != hash)
            return false;
        if (!wanted)
            wanted = GeneralSortOrder::sortKey(key);
        return GeneralSortOrder::sortKey(text) == *wanted;
    });
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
