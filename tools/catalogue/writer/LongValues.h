#pragma once
// Memo and OLE values ("long values"). The row holds a 12-byte header: the length in the
// low three bytes of the first four, how the value is kept in the fourth, a page-row
// pointer, four zero bytes. A value of at most MostInlineLongValueBytes follows the header
// in the row itself (0x80); a longer one is a row of its own on a long-value page (0x40), or,
// when it does not fit on one page, a chain of such rows, each starting with the pointer to
// the next (0x00). Long-value pages are data pages whose owner field reads `LVAL`; each
// column keeps its values on pages of its own, which the table definition lists per column.

#include "DataPage.h"

#include <QByteArray>
#include <cstdint>
#include <map>
#include <vector>

namespace jetwriter {

constexpr int LongValueHeaderSize = 12;
// Up to this many bytes (after text compression) a value stays in its row: room for a short
// memo, and long enough that the tests' longer values reach the long-value pages.
constexpr int MostInlineLongValueBytes = 64;
// The header keeps the length in three bytes.
constexpr int MaxLongValueBytes = 0xFFFFFF;

class LongValuePages {
public:
    // Pages are numbered from `firstPage` on, in the order they are opened.
    explicit LongValuePages(std::uint32_t firstPage) : m_firstPage(firstPage) {}

    // What the row of column `columnNumber` holds for `value`: the header, followed by the
    // value when it is short. A longer value goes to this column's pages.
    QByteArray store(int columnNumber, const QByteArray &value);

    std::vector<QByteArray> takePages();
    std::size_t pageCount() const { return m_pages.size(); }
    // The pages holding the column's values (none when they all stayed in their rows).
    std::vector<std::uint32_t> pagesOf(int columnNumber) const;

private:
    // The page-row pointer of `row`, placed on the column's last page or on a new one.
    std::uint32_t place(int columnNumber, const QByteArray &row);

    std::uint32_t m_firstPage;
    std::vector<DataPage> m_pages;
    std::vector<int> m_pageColumn;          // which column each page serves
    std::map<int, std::size_t> m_lastPage;  // by column: the page it fills now
};

}  // namespace jetwriter
