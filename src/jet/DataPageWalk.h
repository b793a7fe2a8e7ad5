#pragma once
// The live rows of a table in stored order: page by page as the table's usage map lists
// them, slot by slot within a page.
//
// The walk is our own because libmdb 1.0.0's gets two things wrong: it returns rows the
// engine deleted and skips rows it moved. Slot flags, as the engine writes them:
//  - 0x8000: deleted. The row's bytes stay in place; it is never returned. (The engine
//    also sets 0x4000 on such slots: 0x8000 decides.)
//  - 0x4000 alone: moved. The slot holds a 4-byte pointer (row number in one byte, then
//    the page number in three) to where the row now lives, on another data page of the
//    table under the deleted flag, so that it is met once, through the pointer.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace jet {

class LibmdbFile;
class PageRows;
struct TableDefinition;

struct RowBytes {
    const unsigned char *data = nullptr;
    std::size_t size = 0;
};

class DataPageWalk {
public:
    DataPageWalk(const LibmdbFile &file, const TableDefinition &table);
    ~DataPageWalk();

    // The next live row; its bytes stay valid until the next call.
    std::optional<RowBytes> next();

private:
    bool nextPage();
    RowBytes followMovedRow(std::uint32_t pointer, int slot);
    bool isOwnDataPage(const unsigned char *page) const;

    const LibmdbFile &m_file;
    const TableDefinition &m_table;
    std::uint32_t m_pageNumber = 0;
    std::unique_ptr<PageRows> m_rows;  // of the page being walked
    int m_nextSlot = 0;
    std::vector<unsigned char> m_movedRow;  // a copy: the page buffer keeps the walked page
};

}  // namespace jet
