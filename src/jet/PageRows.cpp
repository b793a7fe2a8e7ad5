#include "PageRows.h"

#include "LibmdbFile.h"

#include <QtEndian>

namespace jet {

namespace {
constexpr std::uint16_t OffsetMask = 0x1FFF;
}  // namespace

std::optional<PageRows> PageRows::of(const LibmdbFile &file, const unsigned char *page)
{
    const int slotsAt = file.slotCountOffset() + 2;
    const int count = qFromLittleEndian<quint16>(page + file.slotCountOffset());
    if (count > MostRowsPerPage || slotsAt + 2 * count > file.pageSize())
        return std::nullopt;
    return PageRows(page, file.pageSize(), slotsAt, count);
}

PageRows::PageRows(const unsigned char *page, int pageSize, int slotsAt, int count)
    : m_page(page), m_pageSize(pageSize), m_slotsAt(slotsAt), m_count(count)
{}

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
    const auto startOf = [&](int k) { return k < 0 ? m_pageSize : entry(k) & OffsetMask; };
    const int start = startOf(slot);
    const int end = startOf(slot - 1);
    // An offset's 13 bits reach up to 8 191, past the page's end: a row is read only
    // between the slot table and the end of its page. Rows lie below one another: an end above the row
    // before's is a damaged start of the slot before, which says nothing of where this row
    // ends.
    if (start < m_slotsAt + 2 * m_count || start > end || end > m_pageSize || end > startOf(slot - 2))
        return std::nullopt;
    return RowBytes{m_page + start, std::size_t(end - start)};
}

}  // namespace jet
