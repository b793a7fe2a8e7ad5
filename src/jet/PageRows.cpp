#include "PageRows.h"

#include "LibmdbFile.h"

#include <QtEndian>

namespace jet {

namespace {
constexpr std::uint16_t OffsetMask = 0x1FFF;
}

PageRows::PageRows(const LibmdbFile &file, const unsigned char *page, std::uint32_t pageNumber)
    : m_file(file), m_page(page), m_pageNumber(pageNumber), m_slotsAt(file.slotCountOffset() + 2),
      m_count(qFromLittleEndian<quint16>(page + file.slotCountOffset()))
{
    if (m_slotsAt + 2 * m_count > file.pageSize())
        throw file.damaged(QStringLiteral("page %1 : trop d'emplacements de lignes").arg(pageNumber));
}

std::uint16_t PageRows::entry(int slot) const
{
    return qFromLittleEndian<quint16>(m_page + m_slotsAt + 2 * std::ptrdiff_t(slot));
}

std::uint16_t PageRows::flags(int slot) const
{
    return entry(slot) & ~OffsetMask;
}

std::optional<RowBytes> PageRows::row(int slot) const
{
    if (slot < 0 || slot >= m_count)
        return std::nullopt;
    const int start = entry(slot) & OffsetMask;
    const int end = slot == 0 ? m_file.pageSize() : entry(slot - 1) & OffsetMask;
    if (start < m_slotsAt + 2 * m_count || start > end || end > m_file.pageSize())
        throw m_file.damaged(QStringLiteral("page %1 : la ligne %2 déborde").arg(m_pageNumber).arg(slot));
    return RowBytes{m_page + start, std::size_t(end - start)};
}

}  // namespace jet
