#pragma once
// The map of a table's data pages (its usage map), walked as libmdb walks it (map.c,
// mdb_map_find_next) but through the engine's own page reads, keeping the bitmap page it
// read last instead of reading it again for every data page:
//  - kind 0: a first page number (4 bytes), then one bit per page from it;
//  - kind 1: the numbers of bitmap pages (4 bytes each), the n-th one covering, after a
//    4-byte header, (page size − 4) × 8 pages from page n × that count.
// The map's kind, size and bitmap pages were checked when the definition was read.

#include <QByteArray>
#include <cstdint>
#include <memory>

namespace jet {

class LibmdbFile;

class UsageMap {
public:
    UsageMap(const LibmdbFile &file, const QByteArray &map);
    ~UsageMap();

    // The first page the map lists after `page`, as libmdb gives it: 0 when there is none,
    // and a page number of 2^31 or more as a negative number.
    std::int32_t nextAfter(std::uint32_t page);

private:
    std::int32_t nextInline(std::uint32_t page) const;
    std::int32_t nextInBitmapPages(std::uint32_t page);
    const unsigned char *bitmapPage(std::uint32_t number);

    const LibmdbFile &m_file;
    const QByteArray &m_map;
    std::uint32_t m_bitmapNumber = 0;  // of the bitmap page held; 0: none
    std::unique_ptr<unsigned char[]> m_bitmap;
};

}  // namespace jet
