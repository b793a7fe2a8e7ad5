#pragma once
// A whole Jet 4 file holding one user table: the header, the catalog of tables, the usage
// maps, the table's definition and index root, and its data pages.

#include "DataPages.h"
#include "TableContent.h"

#include <QByteArray>

namespace jetwriter {

// The index, when asked for and when the table has a column `ref`, is named "XREF" and keyed
// on that column; its root page is an empty leaf (its entries are not written).
// Throws CatalogueError when the table's rows could outgrow a page.
QByteArray buildCatalogueDatabase(const TableContent &table, const RowFates &fates, bool withIndex);

}  // namespace jetwriter
