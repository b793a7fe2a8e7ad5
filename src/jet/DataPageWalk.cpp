#include "DataPageWalk.h"

#include "Libmdb.h"
#include "LibmdbFile.h"
#include "TableDefinition.h"

#include <QtEndian>

namespace jet {

namespace {

constexpr unsigned char DataPageKind = 0x01;
constexpr int OwnerOffset = 4;
constexpr std::uint16_t DeletedFlag = 0x8000;
constexpr std::uint16_t MovedFlag = 0x4000;
constexpr std::uint16_t OffsetMask = 0x1FFF;
constexpr int MovedPointerSize = 4;
// A moved row is never moved again in the files we know; a chain this long is a loop.
constexpr int MaxMoves = 8;

}  // namespace

DataPageWalk::DataPageWalk(const LibmdbFile &file, const TableDefinition &table) : m_file(file), m_table(table) {}

bool DataPageWalk::isOwnDataPage(const unsigned char *page) const
{
    return page[0] == DataPageKind && qFromLittleEndian<quint32>(page + OwnerOffset) == m_table.definitionPage;
}

int DataPageWalk::slotCount(const unsigned char *page, std::uint32_t pageNumber) const
{
    const int slotsAt = m_file.slotCountOffset();
    const int count = qFromLittleEndian<quint16>(page + slotsAt);
    if (slotsAt + 2 + 2 * count > m_file.pageSize())
        throw m_file.damaged(QStringLiteral("table « %1 », page %2 : trop d'emplacements de lignes").arg(m_table.name).arg(pageNumber));
    return count;
}

// A row ends where the previous slot's row starts: rows are stacked from the end of the
// page down, with no gap.
RowBytes DataPageWalk::slotBytes(const unsigned char *page, std::uint32_t pageNumber, int slot) const
{
    const int slotsAt = m_file.slotCountOffset() + 2;
    const int start = qFromLittleEndian<quint16>(page + slotsAt + 2 * slot) & OffsetMask;
    const int end = slot == 0 ? m_file.pageSize() : qFromLittleEndian<quint16>(page + slotsAt + 2 * (slot - 1)) & OffsetMask;
    const int slotTableEnd = slotsAt + 2 * slotCount(page, pageNumber);
    if (start < slotTableEnd || start > end || end > m_file.pageSize())
        throw m_file.damaged(QStringLiteral("table « %1 », page %2 : la ligne %3 déborde").arg(m_table.name).arg(pageNumber).arg(slot));
    return {page + start, std::size_t(end - start)};
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
        // A map bit past the end of the file, or a page the table gave back and another
        // object took since: not this table's rows.
        if (!m_file.isPage(m_pageNumber))
            return false;
        const unsigned char *page = m_file.readPage(m_pageNumber);
        if (!isOwnDataPage(page))
            continue;
        m_page = page;
        m_slots = slotCount(page, m_pageNumber);
        m_nextSlot = 0;
        return true;
    }
}

RowBytes DataPageWalk::followMovedRow(std::uint32_t pointer, std::uint32_t slotPage, int slot)
{
    for (int move = 0; move < MaxMoves; ++move) {
        const std::uint32_t pageNumber = pointer >> 8;
        const int row = int(pointer & 0xFF);
        const unsigned char *page = m_file.readSecondPage(pageNumber);
        if (!isOwnDataPage(page) || row >= slotCount(page, pageNumber))
            break;
        const RowBytes target = slotBytes(page, pageNumber, row);
        const std::uint16_t flags = qFromLittleEndian<quint16>(page + m_file.slotCountOffset() + 2 + 2 * row);
        // The target carries the deleted flag so that the page walk skips it; only a
        // target that is itself a pointer (0x4000 without 0x8000) leads further.
        if ((flags & MovedFlag) && !(flags & DeletedFlag)) {
            if (target.size < MovedPointerSize)
                break;
            pointer = qFromLittleEndian<quint32>(target.data);
            continue;
        }
        m_movedRow.assign(target.data, target.data + target.size);
        return {m_movedRow.data(), m_movedRow.size()};
    }
    throw m_file.damaged(QStringLiteral("table « %1 », page %2 : la ligne déplacée %3 est introuvable").arg(m_table.name).arg(slotPage).arg(slot));
}

std::optional<RowBytes> DataPageWalk::next()
{
    for (;;) {
        while (m_page && m_nextSlot < m_slots) {
            const int slot = m_nextSlot++;
            const std::uint16_t flags = qFromLittleEndian<quint16>(m_page + m_file.slotCountOffset() + 2 + 2 * slot);
            if (flags & DeletedFlag)
                continue;
            const RowBytes row = slotBytes(m_page, m_pageNumber, slot);
            if (row.size == 0)
                continue;
            if (flags & MovedFlag) {
                if (row.size < MovedPointerSize)
                    throw m_file.damaged(QStringLiteral("table « %1 », page %2 : pointeur de ligne déplacée tronqué").arg(m_table.name).arg(m_pageNumber));
                return followMovedRow(qFromLittleEndian<quint32>(row.data), m_pageNumber, slot);
            }
            return row;
        }
        if (!nextPage())
            return std::nullopt;
    }
}

}  // namespace jet
