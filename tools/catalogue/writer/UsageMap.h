#pragma once
// The map that lists a table's data pages. Readers visit only the pages it lists. Up to
// page 511 it is a bitmap inside its own row; beyond, the row names bitmap pages, each
// covering 32 736 pages.

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace jetwriter {

struct UsageMap {
    QByteArray row;                       // to be stored as a row of some data page
    std::vector<QByteArray> bitmapPages;  // to be stored from the page given to makeUsageMap on
};

UsageMap makeUsageMap(const std::vector<std::uint32_t> &pages, std::uint32_t firstBitmapPage);

}  // namespace jetwriter
