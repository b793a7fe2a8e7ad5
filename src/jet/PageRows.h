#pragma once
// The rows of one data page: a slot table after the header (a count, then one 16-bit entry
// per row), rows stacked from the end of the page downward with no gap, so that a row
// ends where the previous slot's row starts. A slot entry holds the row's start in its
// low 13 bits and flags in the top bits.

#include "DataPageWalk.h"

#include <cstdint>
#include <optional>

namespace jet {

class LibmdbFile;

constexpr std::uint16_t DeletedRowFlag = 0x8000;
constexpr std::uint16_t MovedRowFlag = 0x4000;

class PageRows {
public:
    // `page` is a page the file read; `pageNumber` names it in errors.
    PageRows(const LibmdbFile &file, const unsigned char *page, std::uint32_t pageNumber);

    int count() const { return m_count; }
    std::uint16_t flags(int slot) const;
    // The row's bytes; nullopt when the slot does not exist, an error when its offsets
    // fall outside the page.
    std::optional<RowBytes> row(int slot) const;

private:
    std::uint16_t entry(int slot) const;

    const LibmdbFile &m_file;
    const unsigned char *m_page;
    std::uint32_t m_pageNumber;
    int m_slotsAt;
    int m_count;
};

}  // namespace jet
