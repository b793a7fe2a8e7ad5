#pragma once
// Memo and OLE values ("long values"). The row holds a 12-byte header: the length in the
// low 30 bits of the first four bytes, the storage in their top byte, then a page-row
// pointer:
//   0x80  the value follows the header in the row itself;
//   0x40  the value is one row on another page;
//   0x00  the value is a chain of rows, each starting with the pointer to the next.
// Every pointer is checked before its page is read, and the value never grows past its
// stated length.
//
// A row of a long-value page belongs to one value (RowsInUse.h): a row named a second time,
// by the same chain (a loop) or by another value of the table, refuses the value that
// names it again. This bounds the work and the bytes of all of a table's long values
// together by the rows the file holds: without it, a chain of links that carry no bytes,
// started by every row of the table, would cost rows × links, and rows starting at
// different links of one long chain would each copy what follows (the suffixes of a chain
// add up to its length squared).

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace jet {

class LibmdbFile;
class RowsInUse;
struct FieldBytes;
struct RowBytes;

class LongValues {
public:
    // For the values of one table, read in turn; `rowsInUse` takes the rows they use.
    LongValues(const LibmdbFile &file, RowsInUse &rowsInUse);

    // nullopt when its pages do not hold together (a pointer to no row, a row already
    // used, an unknown storage): the row that holds it cannot be read.
    std::optional<QByteArray> read(const FieldBytes &field);

private:
    // The row `pointer` names (page × 256 + row), read into the file's second page buffer;
    // nullopt when there is none or when a value read before used it.
    std::optional<RowBytes> claimRow(std::uint32_t pointer);

    const LibmdbFile &m_file;
    RowsInUse &m_rowsInUse;
};

}  // namespace jet
