#pragma once
// One row as its bytes in a data page: column count, fixed area, variable values, their
// offset table (stored backwards), variable count, and the null mask at the very end.

#include "TableLayout.h"

#include <QByteArray>

namespace jetwriter {

class LongValuePages;

// Memo and OLE values too long to stay in the row go to `longValues`, which a table without
// such columns (or with only nulls in them) may leave out.
QByteArray encodeRow(const TableLayout &layout, const Row &row, LongValuePages *longValues = nullptr);

}  // namespace jetwriter
