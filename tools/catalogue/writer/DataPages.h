#pragma once
// Lays the rows of one table out on data pages, as the engine leaves them: rows stacked
// from the end of each page downward, a slot table at the top, and the slot flags of
// deleted and moved rows.

#include <QByteArray>
#include <QSet>
#include <cstdint>
#include <vector>

namespace jetwriter {

struct RowFates {
    QSet<int> deleted;  // 0-based row numbers
    QSet<int> moved;
};

// Slot flags of a data page, in the high bits of the row's start offset.
constexpr std::uint16_t DeletedRowFlag = 0x8000;
constexpr std::uint16_t MovedRowFlag = 0x4000;

// The data pages of the table whose definition is at `ownerPage`, to be stored from page
// `firstPage` on. An empty table still gets one (empty) page.
std::vector<QByteArray> layOutDataPages(const std::vector<QByteArray> &rows, const RowFates &fates,
                                        std::uint32_t ownerPage, std::uint32_t firstPage);

// A page holding the given rows, none flagged (the catalog's rows, the usage-map rows).
QByteArray dataPageWithRows(const std::vector<QByteArray> &rows, std::uint32_t ownerPage);

}  // namespace jetwriter
