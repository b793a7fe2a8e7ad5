#include "DataPageWalk.h"

#include "Libmdb.h"
#include "LibmdbFile.h"
#include "PageRows.h"
#include "TableDefinition.h"

#include <QtEndian>

namespace jet {

namespace {

constexpr unsigned char DataPageKind = 0x01;
constexpr int OwnerOffset = 4;
constexpr int MovedPointerSize = 4;
// A moved row is never moved again in the files we know; a chain this long is a loop.
constexpr int MaxMoves = 8;

}  // namespace

DataPageWalk::DataPageWalk(const LibmdbFile &file, const TableDefinition &table) : m_file(file), m_table(table)
{}

DataPageWalk::~DataPageWalk() = default;

bool DataPageWalk::isOwnDataPage(const unsigned char *page) const
{
    return page[0] == DataPageKind && qFromLittleEndian<quint32>(page + OwnerOffset) == m_table.definitionPage;
}

bool DataPageWalk::nextPage()
{
    MdbHandle *mdb = m_file.handle().mdb;
    auto *map = reinterpret_cast<unsigned char *>(const_cast<char *>(m_table.usageMap.constData()));
    const auto mapSize = unsigned(m_table.usageMap.size());
    for (;;) {
        // The map was checked when the definition was read (kind, size, bitmap pages).
        const gint32 next = mdb_map_find_next(mdb, map, mapSize, m_pageNumber);
        if (next <= 0 || std::uint32_t(next) <= m_pageNumber)
            return false;
        m_pageNumber = std::uint32_t(next);
        // readPage refuses a page past the end of the file: the file was cut short or is
        // still being written, and a catalogue missing those rows must not pass for whole.
        const unsigned char *page = m_file.readPage(m_pageNumber);
        // A page the table gave back and another object took since holds no rows of it.
        if (!isOwnDataPage(page))
            continue;
        m_rows = std::make_unique<PageRows>(m_file, page, m_pageNumber);
        m_nextSlot = 0;
        return true;
    }
}

RowBytes DataPageWalk::followMovedRow(std::uint32_t pointer, int slot)
{
    for (int move = 0; move < MaxMoves; ++move) {
        const std::uint32_t pageNumber = pointer >> 8;
        const unsigned char *page = m_file.readSecondPage(pageNumber);
        if (!isOwnDataPage(page))
            break;
        const PageRows rows(m_file, page, pageNumber);
        const int row = int(pointer & 0xFF);
        const std::optional<RowBytes> target = rows.row(row);
        if (!target)
            break;
        // The target carries the deleted flag so that the page walk skips it; only a
        // target that is itself a pointer (0x4000 without 0x8000) leads further.
        if (rows.flags(row) == MovedRowFlag) {
            if (target->size < MovedPointerSize)
                break;
            pointer = qFromLittleEndian<quint32>(target->data);
            continue;
        }
        m_movedRow.assign(target->data, target->data + target->size);
        return {m_movedRow.data(), m_movedRow.size()};
    }
    throw m_file.damaged(QStringLiteral("table « %1 », page %2 : la ligne déplacée %3 est introuvable")
                             .arg(m_table.name)
                             .arg(m_pageNumber)
                             .arg(slot));
}

std::optional<RowBytes> DataPageWalk::next()
{
    for (;;) {
        while (m_rows && m_nextSlot < m_rows->count()) {
            const int slot = m_nextSlot++;
            const std::uint16_t flags = m_rows->flags(slot);
            if (flags & DeletedRowFlag)
                continue;
            const RowBytes row = *m_rows->row(slot);
            if (row.size == 0)
                continue;
            if (flags & MovedRowFlag) {
                if (row.size < MovedPointerSize)
                    throw m_file.damaged(QStringLiteral("table « %1 », page %2 : pointeur de ligne déplacée tronqué")
                                             .arg(m_table.name)
                                             .arg(m_pageNumber));
                return followMovedRow(qFromLittleEndian<quint32>(row.data), slot);
            }
            return row;
        }
        if (!nextPage())
            return std::nullopt;
    }
}

}  // namespace jet
