#pragma once
// A table's definition as the engine uses it: columns in stored order with where each
// value lies in a row, the indexes by name, and the map of the table's data pages. Read
// through libmdb's table-definition functions, after checking the page pointers they
// follow.

#include "ColumnType.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace jet {

class LibmdbFile;

struct ColumnDefinition {
    QString name;
    ColumnType type = ColumnType::Text;
    int size = 0;        // bytes in a row (text: two per character in Jet 4)
    int number = 0;      // the column's bit in a row's null mask
    bool fixed = false;  // fixed-length: at fixedOffset; otherwise variable: at varIndex
    int fixedOffset = 0;
    int varIndex = 0;
    int scale = 0;  // Decimal only
};

struct IndexDefinition {
    QString name;
    std::vector<int> keyColumns;  // positions in the table's columns
    bool unique = false;
    bool primary = false;
};

struct TableDefinition {
    QString name;
    std::uint32_t definitionPage = 0;
    std::vector<ColumnDefinition> columns;
    std::vector<IndexDefinition> indexes;
    bool hasVariableColumns = false;
    QByteArray usageMap;             // the row that lists the table's data pages
    std::uint32_t rowCountHint = 0;  // as the definition says: a hint only (0 after a crash)

    int columnPosition(const QString &columnName) const;  // -1 when absent
};

// Fails with the engine's "damaged file" error when the definition cannot be read.
TableDefinition readTableDefinition(const LibmdbFile &file, const QString &name, std::uint32_t definitionPage);

}  // namespace jet
