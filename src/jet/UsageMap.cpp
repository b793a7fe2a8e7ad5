#include "UsageMap.h"

#include "LibmdbFile.h"

#include <QtEndian>
#include <algorithm>

namespace jet {

namespace {

constexpr char InlineMap = 0;
constexpr char MapOfBitmapPages = 1;
constexpr std::size_t BitmapHeader = 4;

bool bitIsSet(const unsigned char *bitmap, std::uint32_t bit)
{
    return (bitmap[bit / 8] >> (bit % 8)) & 1;
}

}  // namespace

UsageMap::UsageMap(const LibmdbFile &file, const QByteArray &map) : m_file(file), m_map(map)
{}

UsageMap::~UsageMap() = default;

std::int32_t UsageMap::nextAfter(std::uint32_t page)
{
    if (m_map.isEmpty())
        return -1;
    if (m_map.at(0) == InlineMap)
        return nextInline(page);
    if (m_map.at(0) == MapOfBitmapPages)
        return nextInBitmapPages(page);
    return -1;
}

std::int32_t UsageMap::nextInline(std::uint32_t page) const
{
    if (m_map.size() < 5)
        return 0;
    const auto *map = reinterpret_cast<const unsigned char *>(m_map.constData());
    const std::uint32_t first = qFromLittleEndian<quint32>(map + 1);
    const auto bits = std::uint32_t(m_map.size() - 5) * 8;
    for (std::uint32_t bit = page >= first ? page - first + 1 : 0; bit < bits; ++bit) {
        if (bitIsSet(map + 5, bit))
            return std::int32_t(first + bit);
    }
    return 0;
}

std::int32_t UsageMap::nextInBitmapPages(std::uint32_t page)
{
    const auto *map = reinterpret_cast<const unsigned char *>(m_map.constData());
    const auto bitsPerPage = std::uint32_t(m_file.pageSize() - BitmapHeader) * 8;
    const auto bitmapCount = std::uint32_t(m_map.size() - 1) / 4;
    std::uint32_t offset = (page + 1) % bitsPerPage;
    for (std::uint32_t index = (page + 1) / bitsPerPage; index < bitmapCount; ++index) {
        const std::uint32_t number = qFromLittleEndian<quint32>(map + 1 + 4 * std::size_t(index));
        // As libmdb: an empty entry keeps the offset for the next bitmap.
        if (number == 0)
            continue;
        const unsigned char *bitmap = bitmapPage(number) + BitmapHeader;
        for (std::uint32_t bit = offset; bit < bitsPerPage; ++bit) {
            if (bitIsSet(bitmap, bit))
                return std::int32_t(index * bitsPerPage + bit);
        }
        offset = 0;
    }
    return 0;
}

const unsigned char *UsageMap::bitmapPage(std::uint32_t number)
{
    if (number != m_bitmapNumber) {
        if (!m_bitmap)
            m_bitmap.reset(new unsigned char[std::size_t(m_file.pageSize())]);
        m_bitmapNumber = 0;  // until read
        const unsigned char *page = m_file.readSecondPage(number);
        std::copy(page, page + m_file.pageSize(), m_bitmap.get());
        m_bitmapNumber = number;
    }
    return m_bitmap.get();
}

}  // namespace jet
