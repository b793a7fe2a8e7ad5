#include "TableLayout.h"

namespace jetwriter {

namespace {

struct TypeFacts {
    std::uint8_t code;
    int fixedSize;  // 0 for variable-length types
};

TypeFacts factsOf(ColumnType type)
{
    switch (type) {
    case ColumnType::Integer: return {0x03, 2};
    case ColumnType::Long: return {0x04, 4};
    case ColumnType::Money: return {0x05, 8};
    case ColumnType::Double: return {0x07, 8};
    case ColumnType::Text: return {0x0A, 0};
    case ColumnType::LongBinary: return {0x0B, 0};
    }
    return {0, 0};
}

}  // namespace

TableLayout::TableLayout(const QList<ColumnSpec> &columns)
{
    for (const ColumnSpec &declared : columns) {
        const TypeFacts facts = factsOf(declared.type);
        ColumnLayout column;
        column.declared = declared;
        column.typeCode = facts.code;
        column.number = int(m_columns.size());
        column.fixed = facts.fixedSize > 0;
        if (column.fixed) {
            column.size = facts.fixedSize;
            column.fixedOffset = m_fixedAreaSize;
            m_fixedAreaSize += column.size;
        } else {
            column.size = declared.type == ColumnType::Text ? 2 * declared.maxChars : 0;
            column.variableIndex = m_variableCount++;
        }
        m_columns.push_back(column);
    }
}

int TableLayout::largestRowSize() const
{
    int variableBytes = 0;
    for (const ColumnLayout &column : m_columns)
        if (!column.fixed)
            variableBytes += column.size;
    const int offsetTable = m_variableCount > 0 ? 2 * (m_variableCount + 1) + 2 : 0;
    const int nullMask = (int(m_columns.size()) + 7) / 8;
    return 2 + m_fixedAreaSize + variableBytes + offsetTable + nullMask;
}

}  // namespace jetwriter
