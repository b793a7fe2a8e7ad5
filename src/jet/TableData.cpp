#include "TableData.h"

#include "RowOrder.h"
#include "SeekIndex.h"

namespace jet {

TableData::TableData(const TableDefinition &definition, bool jet3, std::size_t fileSize)
    : m_name(definition.name), m_jet3(jet3), m_indexes(definition.indexes)
{
    // The definition's row count is usually right: room for that many rows saves copying
    // the columns as they grow. A text column says its longest value, and most texts are
    // kept a byte per character; no column holds more text than the file.
    const std::size_t rows = definition.rowCountHint;
    for (const ColumnDefinition &column : definition.columns) {
        const int position = int(m_info.size());
        m_info.push_back({column.name, column.type, column.size});
        m_columns.emplace_back(column.type);
        const std::size_t textBytes = column.type == ColumnType::Text ? std::size_t(maxChars(position)) : 0;
        m_columns.back().reserve(rows, std::min(textBytes, rows == 0 ? 0 : fileSize / rows));
    }
}

TableData::~TableData() = default;

void TableData::discardLoadingRow()
{
    for (ColumnValues &values : m_columns) {
        if (values.size() > m_rowCount)
            values.removeLast();
    }
}

void TableData::discardRows(const std::vector<std::uint32_t> &rows)
{
    for (ColumnValues &values : m_columns)
        values.removeRows(rows);
    m_rowCount -= std::uint32_t(rows.size());
}

void TableData::finishLoading(std::vector<LeftOutRow> leftOut)
{
    for (ColumnValues &values : m_columns)
        values.finishLoading();
    m_leftOut = std::move(leftOut);
}

int TableData::maxChars(int position) const
{
    const ColumnInfo &info = column(position);
    return m_jet3 ? info.size : info.size / 2;
}

// The kinds a field value comes back as. The engine's own conventions where the program's
// values have no such kind: a boolean is the integer −1 (true) or 0; a byte, a 16-bit
// integer; a single, the double of the very same value; a date, its serial number (days
// since 1899-12-30, the time of day as the fraction), as the engine stores it; a memo,
// text; binary and OLE data, their bytes in hexadecimal; a GUID, its usual braced text.
MixedValue TableData::value(std::uint32_t row, int position) const
{
    const ColumnValues &values = m_columns[std::size_t(position)];
    if (values.isNull(row))
        return MixedValue::null();
    switch (values.storage()) {
    case Storage::Integer: {
        const std::int64_t number = values.integer(row);
        switch (column(position).type) {
        case ColumnType::Currency:
            return Currency::fromTenThousandths(number);
        case ColumnType::Long:
        case ColumnType::Complex:
            return std::int32_t(number);
        case ColumnType::BigInt:
            return double(number);
        default:
            return std::int16_t(number);
        }
    }
    case Storage::Real:
        return values.real(row);
    case Storage::Text:
        return values.text(row);
    }
    return MixedValue::null();
}

std::shared_ptr<const std::vector<std::uint32_t>> TableData::orderBy(int position, bool descending) const
{
    const std::lock_guard lock(m_cacheMutex);
    auto &order = m_orders[{position, descending}];
    if (!order)
        order = std::make_shared<const std::vector<std::uint32_t>>(sortedRows(*this, position, descending));
    return order;
}

std::shared_ptr<const SeekIndex> TableData::seekIndex(const IndexDefinition &index) const
{
    const std::lock_guard lock(m_cacheMutex);
    auto &seek = m_seekIndexes[index.name];
    if (!seek)
        seek = std::make_shared<const SeekIndex>(*this, index.keyColumns.front());
    return seek;
}

}  // namespace jet
