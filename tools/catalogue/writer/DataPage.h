#pragma once
// One data page being filled: rows stacked from the end of the page downward with no gap
// (readers take a row's end from the previous row's start), a slot table at the top. The
// table's own rows, the catalog's, the usage maps and long values all live on such pages.

#include "LittleEndian.h"
#include "PageFormat.h"

#include <QByteArray>
#include <algorithm>
#include <cstdint>

namespace jetwriter {

class DataPage {
public:
    // A pointer to a row names its slot in one byte.
    static constexpr int MaxSlots = 255;
    static constexpr int FirstSlotOffset = 14;
    // The most bytes one row can take: a page with that row alone.
    static constexpr int LargestRow = PageSize - FirstSlotOffset - 2;

    explicit DataPage(std::uint32_t ownerPage) : m_bytes(PageSize, '\0')
    {
        m_bytes[0] = char(DataPageKind);
        m_bytes[1] = 0x01;
        putLittleEndian<quint32>(m_bytes, OwnerOffset, ownerPage);
        updateHeader();
    }

    bool hasRoomFor(int rowSize) const
    {
        return m_slots < MaxSlots && m_lowestRowStart - rowSize >= FirstSlotOffset + 2 * (m_slots + 1);
    }

    // Returns the row's slot.
    int add(const QByteArray &row, std::uint16_t flags)
    {
        m_lowestRowStart -= int(row.size());
        std::copy(row.cbegin(), row.cend(), m_bytes.begin() + m_lowestRowStart);
        putLittleEndian<quint16>(m_bytes, FirstSlotOffset + 2 * m_slots, quint16(m_lowestRowStart | flags));
        ++m_slots;
        updateHeader();
        return m_slots - 1;
    }

    int rowStart(int slot) const
    {
        return qFromLittleEndian<quint16>(m_bytes.constData() + FirstSlotOffset + 2 * std::ptrdiff_t(slot)) & 0x1FFF;
    }

    QByteArray &bytes() { return m_bytes; }

private:
    static constexpr int FreeSpaceOffset = 2;
    static constexpr int OwnerOffset = 4;
    static constexpr int SlotCountOffset = 12;

    void updateHeader()
    {
        putLittleEndian<quint16>(m_bytes, SlotCountOffset, quint16(m_slots));
        putLittleEndian<quint16>(m_bytes, FreeSpaceOffset, quint16(m_lowestRowStart - (FirstSlotOffset + 2 * m_slots)));
    }

    QByteArray m_bytes;
    int m_slots = 0;
    int m_lowestRowStart = PageSize;
};

}  // namespace jetwriter
