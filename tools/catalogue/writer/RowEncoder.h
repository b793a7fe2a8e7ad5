#pragma once
// One row as its bytes in a data page: column count, fixed area, variable values, their
// offset table (stored backwards), variable count, and the null mask at the very end.

#include "TableLayout.h"

#include <QByteArray>

namespace jetwriter {

QByteArray encodeRow(const TableLayout &layout, const Row &row);

}  // namespace jetwriter
