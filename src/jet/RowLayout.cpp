#include "RowLayout.h"

#include "TableDefinition.h"

#include <QtEndian>

namespace jet {

RowLayout::RowLayout(const TableDefinition &table, bool jet3) : m_table(table), m_jet3(jet3)
{}

bool RowLayout::readJet4Offsets(RowBytes row, std::size_t maskSize, VariableArea &area) const
{
    if (row.size < 2 + 2 + maskSize)
        return false;
    const std::size_t countAt = row.size - maskSize - 2;
    const unsigned count = qFromLittleEndian<quint16>(row.data + countAt);
    const std::size_t tableSize = 2 * (std::size_t(count) + 1);
    if (countAt < 2 + tableSize)
        return false;
    const std::size_t dataEnd = countAt - tableSize;
    for (unsigned k = 0; k <= count; ++k) {
        const unsigned offset = qFromLittleEndian<quint16>(row.data + countAt - 2 - 2 * std::size_t(k));
        if (offset < 2 || offset > dataEnd || (k > 0 && offset < area.offsets.back()))
            return false;
        area.offsets.push_back(offset);
    }
    area.fixedEnd = area.offsets.front();
    return true;
}

// Ported from libmdb's own Jet 3 reader (mdb_crack_row3), with bounds checks: the offsets
// are single bytes stored backwards before the jump table; each jump entry names the
// first variable column whose offset lies one more 256-byte step further.
bool RowLayout::readJet3Offsets(RowBytes row, std::size_t maskSize, VariableArea &area) const
{
    if (row.size < 1 + 1 + maskSize)
        return false;
    const std::size_t countAt = row.size - maskSize - 1;
    const unsigned count = row.data[countAt];
    unsigned jumps = unsigned((row.size - 1) / 256);
    if (countAt < std::size_t(jumps) + count + 1)
        return false;
    const std::size_t firstOffsetAt = countAt - jumps - 1;
    // The last jump entry is a filler when the offsets do not reach that far.
    if ((firstOffsetAt - count) / 256 < jumps)
        --jumps;
    unsigned jumpsUsed = 0;
    for (unsigned k = 0; k <= count; ++k) {
        while (jumpsUsed < jumps && k == row.data[countAt - 1 - jumpsUsed])
            ++jumpsUsed;
        const unsigned offset = row.data[firstOffsetAt - k] + 256 * jumpsUsed;
        if (offset < 1 || offset > firstOffsetAt - count || (k > 0 && offset < area.offsets.back()))
            return false;
        area.offsets.push_back(offset);
    }
    area.fixedEnd = area.offsets.front();
    return true;
}

bool RowLayout::split(RowBytes row, std::vector<FieldBytes> &fields) const
{
    const std::size_t countSize = m_jet3 ? 1 : 2;
    if (row.size < countSize)
        return false;
    const unsigned columnCount = m_jet3 ? row.data[0] : qFromLittleEndian<quint16>(row.data);
    const std::size_t maskSize = (std::size_t(columnCount) + 7) / 8;
    if (countSize + maskSize > row.size)
        return false;
    const unsigned char *mask = row.data + row.size - maskSize;
    const auto hasBit = [&](int number) {
        return unsigned(number) < columnCount && (mask[number / 8] >> (number % 8)) & 1;
    };
    if (columnCount % 8 != 0 && mask[maskSize - 1] >> (columnCount % 8) != 0)
        return false;

    VariableArea &area = m_area;
    area.fixedStart = countSize;
    area.offsets.clear();
    if (!m_table.hasVariableColumns)
        area.fixedEnd = row.size - maskSize;
    else if (!(m_jet3 ? readJet3Offsets(row, maskSize, area) : readJet4Offsets(row, maskSize, area)))
        return false;
    const std::size_t variableCount = area.offsets.empty() ? 0 : area.offsets.size() - 1;

    fields.resize(m_table.columns.size());
    for (std::size_t i = 0; i < m_table.columns.size(); ++i) {
        const ColumnDefinition &column = m_table.columns[i];
        FieldBytes &field = fields[i];
        field = FieldBytes{};
        if (column.type == ColumnType::Boolean) {
            field.isNull = false;
            field.bit = hasBit(column.number);
            continue;
        }
        const bool present = hasBit(column.number);
        if (column.fixed) {
            if (!present)
                continue;
            const std::size_t start = area.fixedStart + std::size_t(column.fixedOffset);
            if (start + std::size_t(column.size) > area.fixedEnd)
                return false;
            field = {row.data + start, std::size_t(column.size), false, false};
        } else if (std::size_t(column.varIndex) < variableCount) {
            const unsigned start = area.offsets[std::size_t(column.varIndex)];
            const unsigned end = area.offsets[std::size_t(column.varIndex) + 1];
            if (present)
                field = {row.data + start, std::size_t(end - start), false, false};
            else if (end != start && unsigned(column.number) < columnCount)
                return false;
        } else if (present) {
            return false;
        }
    }
    return true;
}

}  // namespace jet
