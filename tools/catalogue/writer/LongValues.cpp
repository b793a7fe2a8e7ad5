#include "LongValues.h"

#include "DataPage.h"
#include "LittleEndian.h"

namespace jetwriter {

namespace {

enum Storage : std::uint32_t {
    InRow = 0x80000000,
    OneRow = 0x40000000,
    Chain = 0x00000000,
};

// The owner field of a long-value page: the bytes `LVAL`.
constexpr std::uint32_t LongValueOwner = 'L' | 'V' << 8 | 'A' << 16 | std::uint32_t('L') << 24;

constexpr int ChainPointerSize = 4;
constexpr int ChainPartBytes = DataPage::LargestRow - ChainPointerSize;

QByteArray header(const QByteArray &value, Storage storage, std::uint32_t pointer)
{
    QByteArray bytes(LongValueHeaderSize, '\0');
    putLittleEndian<quint32>(bytes, 0, quint32(value.size()) | storage);
    putLittleEndian<quint32>(bytes, 4, pointer);
    return bytes;
}

}  // namespace

QByteArray LongValuePages::store(int columnNumber, const QByteArray &value)
{
    Q_ASSERT(value.size() <= MaxLongValueBytes);
    if (value.size() <= MostInlineLongValueBytes)
        return header(value, InRow, 0) + value;
    if (value.size() <= DataPage::LargestRow)
        return header(value, OneRow, place(columnNumber, value));
    // The last part first: each part's row must name the next one's.
    std::uint32_t next = 0;
    for (qsizetype end = value.size(); end > 0;) {
        const qsizetype start = (end - 1) / ChainPartBytes * ChainPartBytes;
        QByteArray row(ChainPointerSize, '\0');
        putLittleEndian<quint32>(row, 0, next);
        row += value.mid(start, end - start);
        next = place(columnNumber, row);
        end = start;
    }
    return header(value, Chain, next);
}

std::uint32_t LongValuePages::place(int columnNumber, const QByteArray &row)
{
    const auto last = m_lastPage.find(columnNumber);
    std::size_t index = last == m_lastPage.end() ? m_pages.size() : last->second;
    if (index == m_pages.size() || !m_pages[index].hasRoomFor(int(row.size()))) {
        index = m_pages.size();
        m_pages.emplace_back(LongValueOwner);
        m_pageColumn.push_back(columnNumber);
        m_lastPage[columnNumber] = index;
    }
    const int slot = m_pages[index].add(row, 0);
    return pageRowPointer(m_firstPage + std::uint32_t(index), slot);
}

std::vector<QByteArray> LongValuePages::takePages()
{
    std::vector<QByteArray> pages;
    for (DataPage &page : m_pages)
        pages.push_back(std::move(page.bytes()));
    return pages;
}

std::vector<std::uint32_t> LongValuePages::pagesOf(int columnNumber) const
{
    std::vector<std::uint32_t> pages;
    for (std::size_t i = 0; i < m_pageColumn.size(); ++i)
        if (m_pageColumn[i] == columnNumber)
            pages.push_back(m_firstPage + std::uint32_t(i));
    return pages;
}

}  // namespace jetwriter
