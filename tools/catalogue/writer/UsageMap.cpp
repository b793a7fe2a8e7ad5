#include "UsageMap.h"

#include "LittleEndian.h"
#include "PageFormat.h"

#include <algorithm>
#include <map>

namespace jetwriter {

namespace {

// The inline form: kind 0, the page of bit 0, then 64 bytes of bitmap (Access's size).
constexpr int InlineBitmapBytes = 64;
constexpr std::uint32_t InlinePageLimit = InlineBitmapBytes * 8;
// The paged form: a bitmap page keeps a 4-byte header.
constexpr std::uint32_t PagesPerBitmapPage = (PageSize - 4) * 8;
// Access's map rows name 17 bitmap pages; more only when the table needs them.
constexpr std::size_t UsualBitmapSlots = 17;

void setBit(QByteArray &bytes, int offset, std::uint32_t bit)
{
    bytes[offset + int(bit / 8)] = char(bytes[offset + int(bit / 8)] | (1 << (bit % 8)));
}

UsageMap inlineMap(const std::vector<std::uint32_t> &pages)
{
    UsageMap map;
    map.row = QByteArray(1 + 4 + InlineBitmapBytes, '\0');  // kind 0, starting at page 0
    for (std::uint32_t page : pages)
        setBit(map.row, 5, page);
    return map;
}

UsageMap pagedMap(const std::vector<std::uint32_t> &pages, std::uint32_t firstBitmapPage)
{
    std::map<std::uint32_t, QByteArray> bitmaps;  // by slot
    for (std::uint32_t page : pages) {
        QByteArray &bitmap = bitmaps[page / PagesPerBitmapPage];
        if (bitmap.isEmpty()) {
            bitmap = QByteArray(PageSize, '\0');
            bitmap[0] = char(UsageBitmapKind);
            bitmap[1] = 0x01;
        }
        setBit(bitmap, 4, page % PagesPerBitmapPage);
    }
    const std::size_t slotCount = std::max(UsualBitmapSlots, std::size_t(bitmaps.rbegin()->first + 1));
    UsageMap map;
    map.row = QByteArray(1 + 4 * int(slotCount), '\0');
    map.row[0] = 0x01;
    std::uint32_t next = firstBitmapPage;
    for (auto &[slot, bitmap] : bitmaps) {
        putLittleEndian<quint32>(map.row, 1 + 4 * int(slot), next++);
        map.bitmapPages.push_back(std::move(bitmap));
    }
    return map;
}

}  // namespace

UsageMap makeUsageMap(const std::vector<std::uint32_t> &pages, std::uint32_t firstBitmapPage)
{
    const bool fitsInline =
        std::all_of(pages.begin(), pages.end(), [](std::uint32_t page) { return page < InlinePageLimit; });
    return fitsInline ? inlineMap(pages) : pagedMap(pages, firstBitmapPage);
}

}  // namespace jetwriter
