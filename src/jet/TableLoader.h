#pragma once
// Decodes a table's rows into a TableData: each value from the row's raw bytes (integers
// little-endian, currency as its 64-bit count of ten-thousandths, reals by their bits,
// texts decoded here), never through libmdb's text conversion. A row that cannot be
// decoded is left out and the others are read (TableData::leftOutRows says which); so are
// rows that reach, through a pointer, rows of the file another row reached (RowsInUse.h).

#include <memory>
#include <vector>

namespace jet {

class LibmdbFile;
class TableData;
class TextDecoding;
struct TableDefinition;

std::shared_ptr<TableData> loadTable(const LibmdbFile &file, const TableDefinition &definition,
                                     const TextDecoding &text);

// Only the columns at `positions`; the others read as null. For the catalog, whose
// property blobs the engine has no use for.
std::shared_ptr<TableData> loadColumns(const LibmdbFile &file, const TableDefinition &definition,
                                       const TextDecoding &text, const std::vector<int> &positions);

}  // namespace jet
