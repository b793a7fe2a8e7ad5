#pragma once
// One field of the tab-separated text, read as a value of its column's type. Numbers use
// `.` as the decimal mark; amounts are read exactly, digit by digit, never through a double.

#include "TableContent.h"

#include <QStringView>

namespace jetwriter {

// Throws CatalogueError saying what is wrong with the value (the caller adds where it is).
FieldValue parseField(QStringView field, const ColumnSpec &column);

}  // namespace jetwriter
