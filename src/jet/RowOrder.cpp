#include "RowOrder.h"

#include "HugePages.h"
#include "TableData.h"
#include "TextRanking.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace jet {

namespace {

// Text columns are sorted through ranks: each distinct text of the column is ranked once (a
// catalogue repeats designations; TextRanking.h), and each row then sorts on its text's
// rank, a plain integer.
class TextRanks {
public:
    explicit TextRanks(const ColumnValues &values)
        : m_values(values), m_rankOfText(rankTexts(values.distinctTexts())),
          m_highest(m_rankOfText.empty() ? 0 : *std::max_element(m_rankOfText.begin(), m_rankOfText.end()))
    {}

    // 0 for null, then 1, 2… in the General sort order; equal texts, equal ranks.
    std::uint32_t rank(std::uint32_t row) const
    {
        return m_values.isNull(row) ? 0 : m_rankOfText[m_values.textNumber(row)];
    }
    std::uint32_t highest() const { return m_highest; }

private:
    const ColumnValues &m_values;
    std::vector<std::uint32_t> m_rankOfText;
    std::uint32_t m_highest;
};

// Ranks are small integers, at most one per row: counting the rows of each rank places
// every row in two passes, equal texts in stored order, nulls (rank 0) first ascending and
// last descending.
std::vector<std::uint32_t> sortByRank(const TextRanks &ranks, std::uint32_t rows, bool descending)
{
    std::vector<std::uint32_t> next(std::size_t(ranks.highest()) + 1, 0);  // counts, then places
    for (std::uint32_t row = 0; row < rows; ++row)
        ++next[ranks.rank(row)];
    std::uint32_t place = 0;
    for (std::size_t i = 0; i < next.size(); ++i) {
        std::uint32_t &rank = next[descending ? next.size() - 1 - i : i];
        const std::uint32_t count = rank;
        rank = place;
        place += count;
    }
    std::vector<std::uint32_t> order;
    reserveOnHugePages(order, rows);
    order.resize(rows);
    for (std::uint32_t row = 0; row < rows; ++row)
        order[next[ranks.rank(row)]++] = row;
    return order;
}

template <class T>
bool less(T a, T b)
{
    return a < b;
}

// A damaged double may be NaN: it goes after every number, so that the order stays total.
bool less(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return !std::isnan(a) && std::isnan(b);
    return a < b;
}

// Sorts (null class, key, row) items held side by side, so that comparing two rows reads
// no other memory. Nulls come first ascending, last descending; equal keys keep their
// stored order.
template <class KeyOf>
std::vector<std::uint32_t> sortRows(const ColumnValues &values, std::uint32_t rows, bool descending, KeyOf keyOf)
{
    using Key = decltype(keyOf(0u));
    struct Item {
        bool afterValues;   // the nulls, when descending
        bool beforeValues;  // the nulls, when ascending
        Key key;
        std::uint32_t row;
    };
    std::vector<Item> items;
    items.reserve(rows);
    for (std::uint32_t row = 0; row < rows; ++row) {
        const bool null = values.isNull(row);
        items.push_back({null && descending, null && !descending, null ? Key{} : keyOf(row), row});
    }
    std::sort(items.begin(), items.end(), [descending](const Item &a, const Item &b) {
        if (a.beforeValues != b.beforeValues)
            return a.beforeValues;
        if (a.afterValues != b.afterValues)
            return b.afterValues;
        if (less(a.key, b.key) || less(b.key, a.key))
            return descending ? less(b.key, a.key) : less(a.key, b.key);
        return a.row < b.row;
    });
    std::vector<std::uint32_t> order;
    order.reserve(rows);
    for (const Item &item : items)
        order.push_back(item.row);
    return order;
}

}  // namespace

std::vector<std::uint32_t> sortedRows(const TableData &table, int position, bool descending)
{
    const ColumnValues &values = table.values(position);
    const std::uint32_t rows = table.rowCount();
    switch (values.storage()) {
    case Storage::Integer:
        return sortRows(values, rows, descending, [&](std::uint32_t row) { return values.integer(row); });
    case Storage::Real:
        return sortRows(values, rows, descending, [&](std::uint32_t row) { return values.real(row); });
    case Storage::Text:
        break;
    }
    return sortByRank(TextRanks(values), rows, descending);
}

}  // namespace jet
