#pragma once
// Where each column of a table lives in a row: fixed-size values at fixed offsets, the
// others in the variable part, each with its own type code and size in the definition.

#include "TableContent.h"

#include <cstdint>
#include <vector>

namespace jetwriter {

struct ColumnLayout {
    ColumnSpec declared;
    std::uint8_t typeCode = 0;
    int number = 0;  // bit in the null mask, and the order readers present
    bool fixed = false;
    int fixedOffset = 0;    // fixed columns: offset in the row's fixed area
    int variableIndex = 0;  // variable columns: entry in the row's offset table
    int size = 0;           // bytes: of the fixed value, of the longest binary, or 2 per character for text
};

// Memo and OLE: kept apart from the row when long.
bool isLongValue(ColumnType type);

class TableLayout {
public:
    explicit TableLayout(const QList<ColumnSpec> &columns);

    const std::vector<ColumnLayout> &columns() const { return m_columns; }
    int fixedAreaSize() const { return m_fixedAreaSize; }
    int variableCount() const { return m_variableCount; }
    // The longest row these columns can make (every text at its full length, stored
    // uncompressed; every memo and OLE value at the most its row keeps).
    int largestRowSize() const;

private:
    std::vector<ColumnLayout> m_columns;
    int m_fixedAreaSize = 0;
    int m_variableCount = 0;
};

}  // namespace jetwriter
