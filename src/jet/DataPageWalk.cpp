#include "DataPageWalk.h"

#include "LibmdbFile.h"
#include "TableDefinition.h"

#include <QtEndian>

namespace jet {

namespace {

constexpr unsigned char DataPageKind = 0x01;
constexpr unsigned char TableDefinitionPageKind = 0x02;
constexpr int OwnerOffset = 4;
constexpr int MovedPointerSize = 4;
// A moved row is never moved again in the files we know; a chain this long is a loop.
constexpr int MaxMoves = 8;

std::uint32_t ownerOf(const unsigned char *page)
{
    return qFromLittleEndian<quint32>(page + OwnerOffset);
}

}  // namespace

DataPageWalk::DataPageWalk(const LibmdbFile &file, const TableDefinition &table, RowsInUse &rowsInUse)
    : m_file(file), m_table(table), m_map(file, table.usageMap), m_rowsInUse(rowsInUse), m_movedRow(file.pageSize(), 1)
{}

DataPageWalk::~DataPageWalk() = default;

bool DataPageWalk::isOwnDataPage(const unsigned char *page) const
{
    return page[0] == DataPageKind && ownerOf(page) == m_table.definitionPage;
}

// A map may keep listing a page the table gave back and another table took since (libmdb
// meets such pages in big files): that page holds the other table's rows, not damage.
// Anything else that is not the table's own data page is: its kind or its owner is wrong.
bool DataPageWalk::isAnotherTablesDataPage(const unsigned char *page) const
{
    const std::uint32_t owner = ownerOf(page);
    return page[0] == DataPageKind && owner != m_table.definitionPage && m_file.isPage(owner) &&
           m_file.readSecondPage(owner)[0] == TableDefinitionPageKind;
}

void DataPageWalk::leaveOut(std::uint32_t position, int slot)
{
    m_leftOut.push_back({position, m_pageNumber, slot});
}

void DataPageWalk::leaveOutLastRow()
{
    m_leftOut.push_back(lastRow());
}

bool DataPageWalk::nextPage()
{
    m_rows.reset();
    for (;;) {
        // The map was checked when the definition was read (kind, size, bitmap pages).
        const std::int32_t next = m_map.nextAfter(m_pageNumber);
        if (next <= 0 || std::uint32_t(next) <= m_pageNumber)
            return false;
        m_pageNumber = std::uint32_t(next);
        // readPage refuses a page past the end of the file: the file was cut short or is
        // still being written, and a catalogue missing those rows must not pass for whole.
        const unsigned char *page = m_file.readPage(m_pageNumber);
        if (isOwnDataPage(page))
            m_rows = PageRows::of(m_file, page);
        if (m_rows) {
            m_nextSlot = 0;
            return true;
        }
        if (isAnotherTablesDataPage(page))
            continue;
        leaveOut(++m_rowsMet, -1);
    }
}

std::optional<RowBytes> DataPageWalk::followMovedRow(RowBytes pointerRow)
{
    if (pointerRow.size < MovedPointerSize)
        return std::nullopt;
    std::uint32_t pointer = qFromLittleEndian<quint32>(pointerRow.data);
    for (int move = 0; move < MaxMoves; ++move) {
        const std::uint32_t pageNumber = pointer >> 8;
        if (!m_file.isPage(pageNumber) || !m_rowsInUse.take(pointer))
            return std::nullopt;
        const unsigned char *page = m_file.readSecondPage(pageNumber);
        if (!isOwnDataPage(page))
            return std::nullopt;
        const std::optional<PageRows> rows = PageRows::of(m_file, page);
        const int row = int(pointer & 0xFF);
        const std::optional<RowBytes> target = rows ? rows->row(row) : std::nullopt;
        if (!target)
            return std::nullopt;
        // The target carries the deleted flag so that the page walk skips it; only a
        // target that is itself a pointer (0x4000 without 0x8000) leads further.
        if (rows->flags(row) == MovedRowFlag) {
            if (target->size < MovedPointerSize)
                return std::nullopt;
            pointer = qFromLittleEndian<quint32>(target->data);
            continue;
        }
        return RowBytes{m_movedRow.hold(target->data, target->size), target->size};
    }
    return std::nullopt;
}

std::optional<RowBytes> DataPageWalk::next()
{
    for (;;) {
        while (m_rows && m_nextSlot < m_rows->count()) {
            const int slot = m_nextSlot++;
            const std::uint16_t flags = m_rows->flags(slot);
            if (flags & DeletedRowFlag)
                continue;
            std::optional<RowBytes> row = m_rows->row(slot);
            if (row && row->size == 0)
                continue;
            m_lastSlot = slot;
            m_rowsInUse.startRow(++m_rowsMet);
            if (row && (flags & MovedRowFlag))
                row = followMovedRow(*row);
            if (row)
                return row;
            leaveOutLastRow();
        }
        if (!nextPage())
            return std::nullopt;
    }
}

}  // namespace jet
