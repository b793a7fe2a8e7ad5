#pragma once
// The fixed numbers of a Jet 4 file that several parts of the writer share.

#include <cstdint>

namespace jetwriter {

constexpr int PageSize = 4096;

// First byte of a page: what it holds.
enum PageKind : std::uint8_t {
    DataPageKind = 0x01,
    TableDefinitionKind = 0x02,
    IndexLeafKind = 0x04,
    UsageBitmapKind = 0x05,
};

// A row is found through page × 256 + slot.
constexpr std::uint32_t pageRowPointer(std::uint32_t page, int slot)
{
    return (page << 8) | std::uint32_t(slot);
}

}  // namespace jetwriter
