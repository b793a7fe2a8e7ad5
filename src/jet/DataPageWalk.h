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
//    table under the deleted flag, so that it is met once, through the pointer. A place
//    that a second pointer names is damage (RowsInUse.h).
//
// A row whose bytes cannot be found (offsets outside its page, a moved row's pointer that
// leads nowhere) is left out (see LeftOutRow in Jet.h), and so is a listed page whose slot
// table cannot be, or that is neither one of the table's data pages nor another table's
// (a map may keep a page the table gave back); the walk goes on. The loader leaves out the
// rows it cannot decode the same way. Only a page past the end of the file stops the
// walk: the file was cut short or is still being written.

#include "Jet.h"
#include "PageBuffer.h"
#include "PageRows.h"
#include "RowBytes.h"
#include "RowsInUse.h"
#include "UsageMap.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace jet {

class LibmdbFile;
struct TableDefinition;

class DataPageWalk {
public:
    // `rowsInUse` learns which row is read, and takes the places moved rows are followed to.
    DataPageWalk(const LibmdbFile &file, const TableDefinition &table, RowsInUse &rowsInUse);
    ~DataPageWalk();

    // The next live row; its bytes stay valid until the next call.
    std::optional<RowBytes> next();
    // Where the row next() gave last stands.
    LeftOutRow lastRow() const { return {m_rowsMet, m_pageNumber, m_lastSlot}; }
    // The row next() gave last cannot be decoded: it is left out too.
    void leaveOutLastRow();
    // What was left out so far, in stored order.
    const std::vector<LeftOutRow> &leftOutRows() const { return m_leftOut; }

private:
    bool nextPage();
    std::optional<RowBytes> followMovedRow(RowBytes pointerRow);
    bool isOwnDataPage(const unsigned char *page) const;
    bool isAnotherTablesDataPage(const unsigned char *page) const;
    void leaveOut(std::uint32_t position, int slot);

    const LibmdbFile &m_file;
    const TableDefinition &m_table;
    UsageMap m_map;
    std::uint32_t m_pageNumber = 0;
    std::optional<PageRows> m_rows;  // of the page being walked
    int m_nextSlot = 0;
    std::uint32_t m_rowsMet = 0;  // returned or left out: the last one's position
    int m_lastSlot = -1;          // of the row returned last
    std::vector<LeftOutRow> m_leftOut;
    RowsInUse &m_rowsInUse;
    PageBuffer m_movedRow;  // a copy: the page buffer keeps the walked page
};

}  // namespace jet
