#include "RawJetFile.h"

#include <QtEndian>

std::uint16_t RawJetFile::u16(int page, int offset) const
{
    return qFromLittleEndian<quint16>(m_bytes.constData() + page * PageSize + offset);
}

std::uint32_t RawJetFile::u32(int page, int offset) const
{
    return qFromLittleEndian<quint32>(m_bytes.constData() + page * PageSize + offset);
}

void RawJetFile::put16(int page, int offset, std::uint16_t value)
{
    qToLittleEndian<quint16>(value, m_bytes.data() + page * PageSize + offset);
}

void RawJetFile::put32(int page, int offset, std::uint32_t value)
{
    qToLittleEndian<quint32>(value, m_bytes.data() + page * PageSize + offset);
}

int RawJetFile::userTableDefinitionPage() const
{
    for (int page = 3; page < pageCount(); ++page)
        if (byteAt(page, 0) == 0x02)
            return page;
    return -1;
}

QList<RawJetFile::Slot> RawJetFile::rowSlots(int page) const
{
    QList<Slot> result;
    int end = PageSize;
    const int count = u16(page, 12);
    for (int i = 0; i < count; ++i) {
        const std::uint16_t raw = u16(page, 14 + 2 * i);
        const int start = raw & 0x1FFF;
        result.append({std::uint16_t(raw & 0xC000), start, end - start});
        end = start;
    }
    return result;
}

QByteArray RawJetFile::row(std::uint32_t pointer) const
{
    const int page = int(pointer >> 8);
    const int slot = int(pointer & 0xFF);
    if (page >= pageCount())
        return {};
    const QList<Slot> all = rowSlots(page);
    return slot < all.size() ? rowAt(page, all[slot]) : QByteArray();
}

QList<int> RawJetFile::usageMapPages(std::uint32_t mapPointer) const
{
    const QByteArray map = row(mapPointer);
    QList<int> pages;
    if (map.size() >= 5 && map[0] == 0x00) {
        const std::uint32_t first = qFromLittleEndian<quint32>(map.constData() + 1);
        for (int bit = 0; bit < (map.size() - 5) * 8; ++bit)
            if (std::uint8_t(map[5 + bit / 8]) & (1 << (bit % 8)))
                pages.append(int(first) + bit);
    } else if (map.size() >= 1 && map[0] == 0x01) {
        constexpr int PagesPerBitmap = (PageSize - 4) * 8;
        for (int k = 0; 1 + 4 * k + 4 <= map.size(); ++k) {
            const int bitmapPage = int(qFromLittleEndian<quint32>(map.constData() + 1 + 4 * k));
            if (bitmapPage == 0)
                continue;
            for (int bit = 0; bit < PagesPerBitmap; ++bit)
                if (byteAt(bitmapPage, 4 + bit / 8) & (1 << (bit % 8)))
                    pages.append(k * PagesPerBitmap + bit);
        }
    }
    return pages;
}

QList<RawJetFile::RowPlace> RawJetFile::storedRows(int definitionPage) const
{
    constexpr std::uint16_t Deleted = 0x8000;
    QList<RowPlace> rows;
    for (const int page : usageMapPages(u32(definitionPage, 55))) {
        if (byteAt(page, 0) != 0x01 || u32(page, 4) != std::uint32_t(definitionPage))
            continue;
        const QList<Slot> pageSlots = rowSlots(page);
        for (int slot = 0; slot < pageSlots.size(); ++slot) {
            if (!(pageSlots[slot].flags & Deleted) && pageSlots[slot].length > 0)
                rows.append({page, slot, pageSlots[slot]});
        }
    }
    return rows;
}
