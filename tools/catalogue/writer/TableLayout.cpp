#include "TableLayout.h"

#include "LongValues.h"

namespace jetwriter {

namespace {

struct TypeFacts {
    std::uint8_t code;
    bool fixed;
    int fixedSize;  // a boolean, fixed, takes no bytes: its null-mask bit is its value
};

TypeFacts factsOf(ColumnType type)
{
    switch (type) {
    case ColumnType::Boolean:
        return {0x01, true, 0};
    case ColumnType::Byte:
        return {0x02, true, 1};
    case ColumnType::Integer:
        return {0x03, true, 2};
    case ColumnType::Long:
        return {0x04, true, 4};
    case ColumnType::Money:
        return {0x05, true, 8};
    case ColumnType::Single:
        return {0x06, true, 4};
    case ColumnType::Double:
        return {0x07, true, 8};
    case ColumnType::DateTime:
        return {0x08, true, 8};
    case ColumnType::Binary:
        return {0x09, false, 0};
    case ColumnType::Text:
        return {0x0A, false, 0};
    case ColumnType::LongBinary:
        return {0x0B, false, 0};
    case ColumnType::Memo:
        return {0x0C, false, 0};
    case ColumnType::Guid:
        return {0x0F, true, 16};
    }
    return {0, false, 0};
}

// The size a variable column declares: 2 bytes a character for text, its bytes for binary;
// memo and OLE declare none.
int declaredVariableSize(const ColumnSpec &declared)
{
    switch (declared.type) {
    case ColumnType::Text:
        return 2 * declared.maxChars;
    case ColumnType::Binary:
        return declared.maxBytes;
    default:
        return 0;
    }
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
        column.fixed = facts.fixed;
        if (column.fixed) {
            column.size = facts.fixedSize;
            column.fixedOffset = column.size > 0 ? m_fixedAreaSize : 0;  // a boolean has no place
            m_fixedAreaSize += column.size;
        } else {
            column.size = declaredVariableSize(declared);
            column.variableIndex = m_variableCount++;
        }
        m_columns.push_back(column);
    }
}

bool isLongValue(ColumnType type)
{
    return type == ColumnType::Memo || type == ColumnType::LongBinary;
}

int TableLayout::largestRowSize() const
{
    int variableBytes = 0;
    for (const ColumnLayout &column : m_columns)
        if (!column.fixed)
            variableBytes +=
                isLongValue(column.declared.type) ? LongValueHeaderSize + MostInlineLongValueBytes : column.size;
    const int offsetTable = m_variableCount > 0 ? 2 * (m_variableCount + 1) + 2 : 0;
    const int nullMask = (int(m_columns.size()) + 7) / 8;
    return 2 + m_fixedAreaSize + variableBytes + offsetTable + nullMask;
}

}  // namespace jetwriter
