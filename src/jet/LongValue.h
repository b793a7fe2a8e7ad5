#pragma once
// Memo and OLE values ("long values"). The row holds a 12-byte header: the length in the
// low 30 bits of the first four bytes, the storage in their top byte, then a page-row
// pointer:
//   0x80  the value follows the header in the row itself;
//   0x40  the value is one row on another page;
//   0x00  the value is a chain of rows, each starting with the pointer to the next.
// Every pointer is checked before its page is read, and the value never grows past its
// stated length.

#include <QByteArray>
#include <optional>

namespace jet {

class LibmdbFile;
struct FieldBytes;

// nullopt when its pages do not hold together (a pointer to no row, a chain that loops, an
// unknown storage): the row that holds it cannot be read.
std::optional<QByteArray> readLongValue(const LibmdbFile &file, const FieldBytes &field);

}  // namespace jet
