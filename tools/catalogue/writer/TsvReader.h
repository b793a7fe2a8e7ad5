#pragma once
// Reads the tab-separated catalogue text: a header line of `name:TYPE` columns, then one
// row per line. Lines starting with `#` and empty lines are skipped; line numbers in
// messages count every line of the text, from 1.

#include "TableContent.h"

namespace jetwriter {

// Throws CatalogueError naming the line (and the column) at the first fault.
TableContent readTsvTable(const QString &text, const QString &tableName);

}  // namespace jetwriter
