#include "DataPages.h"

#include "DataPage.h"

namespace jetwriter {

namespace {

// What the pointer left in a moved row's slot takes: the row's slot number in one byte,
// then its page number in three.
constexpr int MovedPointerSize = 4;

// Appends a row to the last page, or to a new one when it does not fit; says where it went.
struct Placement {
    std::size_t page;
    int slot;
};

Placement place(std::vector<DataPage> &pages, std::size_t firstAllowed, const QByteArray &row, std::uint16_t flags,
                std::uint32_t ownerPage)
{
    if (pages.size() <= firstAllowed || !pages.back().hasRoomFor(int(row.size())))
        pages.emplace_back(ownerPage);
    return {pages.size() - 1, pages.back().add(row, flags)};
}

}  // namespace

// Deleted rows: the engine leaves the row's bytes in place and flags its slot; the files it
// writes carry 0x4000 beside the deleted bit 0x8000 on such slots (seen on every deleted
// row of the real Access files we have), and a reader must take 0x8000 as "deleted"
// whatever else is set.
//
// Moved rows: when the engine moves a row to another page, the row's own slot keeps a
// 4-byte pointer (slot number, then the page number in three bytes) and is flagged 0x4000;
// the row itself is stored on another data page of the table under the deleted flag 0x8000,
// so that a walk over the pages skips it there and reaches it once, through the pointer.
// mdbtools' issue 462 (fixed after 1.0.0: 0x8000 is deleted, 0x4000 a pointer to follow)
// and the Access files we have agree: every 0x4000 slot in them points at a 0x8000 row of
// the same table.
std::vector<QByteArray> layOutDataPages(const std::vector<QByteArray> &rows, const RowFates &fates,
                                        std::uint32_t ownerPage, std::uint32_t firstPage)
{
    std::vector<DataPage> pages;
    struct MovedRow {
        Placement pointer;
        int row;
    };
    std::vector<MovedRow> movedRows;

    for (int i = 0; i < int(rows.size()); ++i) {
        if (fates.moved.contains(i)) {
            movedRows.push_back({place(pages, 0, QByteArray(MovedPointerSize, '\0'), MovedRowFlag, ownerPage), i});
            continue;
        }
        const std::uint16_t flags = fates.deleted.contains(i) ? (DeletedRowFlag | MovedRowFlag) : 0;
        place(pages, 0, rows[std::size_t(i)], flags, ownerPage);
    }
    if (pages.empty())
        pages.emplace_back(ownerPage);

    // Moved rows go to pages of their own after the others, as rows that no longer fit
    // where they were would.
    const std::size_t movedRowsFirstPage = pages.size();
    for (const MovedRow &moved : movedRows) {
        const Placement target =
            place(pages, movedRowsFirstPage, rows[std::size_t(moved.row)], DeletedRowFlag, ownerPage);
        DataPage &home = pages[moved.pointer.page];
        const int at = home.rowStart(moved.pointer.slot);
        home.bytes()[at] = char(target.slot);
        const std::uint32_t targetPage = firstPage + std::uint32_t(target.page);
        for (int k = 0; k < 3; ++k)
            home.bytes()[at + 1 + k] = char((targetPage >> (8 * k)) & 0xFF);
    }

    std::vector<QByteArray> result;
    result.reserve(pages.size());
    for (DataPage &page : pages)
        result.push_back(std::move(page.bytes()));
    return result;
}

QByteArray dataPageWithRows(const std::vector<QByteArray> &rows, std::uint32_t ownerPage)
{
    DataPage page(ownerPage);
    for (const QByteArray &row : rows) {
        Q_ASSERT(page.hasRoomFor(int(row.size())));  // a few short rows: the catalog's, the maps'
        page.add(row, 0);
    }
    return page.bytes();
}

}  // namespace jetwriter
