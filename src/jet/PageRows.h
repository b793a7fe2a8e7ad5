#pragma once
// The rows of one data page: a slot table after the header (a count, then one 16-bit entry
// per row), rows stacked from the end of the page downward with no gap, so that a row
// ends where the previous slot's row starts (so in every page of the real Access files we
// have). A slot entry holds the row's start in its low 13 bits and flags in the top bits.
//
// Nothing here fails: a slot count or a row's offsets that cannot be are answered with
// nullopt, and the caller leaves out what they hold.

#include "RowBytes.h"

#include <cstdint>
#include <optional>

namespace jet {

class LibmdbFile;

constexpr std::uint16_t DeletedRowFlag = 0x8000;
constexpr std::uint16_t MovedRowFlag = 0x4000;
// A row is reached through page × 256 + slot: a page cannot hold more rows than that.
constexpr int MostRowsPerPage = 256;

class PageRows {
public:
    // `page` is a page the file read; nullopt when its slot table does not fit in it or
    // counts more rows than row pointers can reach.
    static std::optional<PageRows> of(const LibmdbFile &file, const unsigned char *page);

    int count() const { return m_count; }
    std::uint16_t flags(int slot) const;
    // The row's bytes; nullopt when the slot does not exist or its offsets fall outside
    // the page.
    std::optional<RowBytes> row(int slot) const;

private:
    PageRows(const unsigned char *page, int pageSize, int slotsAt, int count);
    std::uint16_t entry(int slot) const;

    const unsigned char *m_page;
    int m_pageSize;
    int m_slotsAt;
    int m_count;
};

}  // namespace jet
