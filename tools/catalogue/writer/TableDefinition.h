#pragma once
// The table definition page: the table's kind and row count, where its usage maps are,
// its columns with their names, and its index.

#include "TableLayout.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace jetwriter {

struct IndexDefinition {
    QString name;
    int keyColumn = 0;                  // column number of the single key
    std::uint32_t usageMapPointer = 0;  // page-row pointer to the map of its pages
    std::uint32_t rootPage = 0;
};

// A memo or OLE column and the usage maps of the long-value pages that hold its values.
struct LongValueColumn {
    int number = 0;
    std::uint32_t usageMapPointer = 0;
    std::uint32_t freeSpaceMapPointer = 0;
};

struct TableDefinition {
    QString name;
    const TableLayout *layout = nullptr;
    bool system = false;
    std::uint32_t rowCount = 0;
    std::uint32_t usageMapPointer = 0;      // page-row pointer: the table's data pages
    std::uint32_t freeSpaceMapPointer = 0;  // page-row pointer: its pages with room left
    std::optional<IndexDefinition> index;
    std::vector<LongValueColumn> longValueColumns;  // none: no column keeps pages of its own
};

// Throws CatalogueError when the definition does not fit on one page (too many columns).
QByteArray tableDefinitionPage(const TableDefinition &definition);

}  // namespace jetwriter
