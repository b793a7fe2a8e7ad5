#include "RowOrder.h"

#include "GeneralSortOrder.h"
#include "TableData.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>
#include <string_view>

namespace jet {

namespace {

// Text columns are sorted through ranks: each distinct text of the column gets its sort
// key once (a catalogue repeats designations), the distinct keys are sorted, and each row
// then sorts on its text's rank, a plain integer.
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
    static std::vector<std::uint32_t> rankTexts(const DistinctTexts &texts)
    {
        std::string keys;
        keys.reserve(std::size_t(texts.count()) * 24);
        std::vector<std::size_t> ends;
        std::vector<std::uint64_t> prefixes;
        ends.reserve(texts.count());
        prefixes.reserve(texts.count());
        std::u16string scratch;
        for (std::uint32_t number = 0; number < texts.count(); ++number) {
            const std::size_t start = keys.size();
            GeneralSortOrder::appendSortKey(texts.utf16(number, scratch), keys);
            ends.push_back(keys.size());
            prefixes.push_back(prefixOf(keys, start, keys.size()));
        }
        const auto key = [&](std::uint32_t i) {
            const std::size_t start = i == 0 ? 0 : ends[i - 1];
            return std::string_view(keys.data() + start, ends[i] - start);
        };
        std::vector<std::uint32_t> order(texts.count());
        std::iota(order.begin(), order.end(), 0u);
        std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return prefixes[a] != prefixes[b] ? prefixes[a] < prefixes[b] : key(a) < key(b);
        });
        std::vector<std::uint32_t> rankOfText(texts.count());
        std::uint32_t rank = 0;
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (i == 0 || key(order[i]) != key(order[i - 1]))
                ++rank;
            rankOfText[order[i]] = rank;
        }
        return rankOfText;
    }

    // The key's first eight bytes as a number: most comparisons end there.
    static std::uint64_t prefixOf(const std::string &keys, std::size_t start, std::size_t end)
    {
        std::uint64_t prefix = 0;
        for (std::size_t i = 0; i < 8; ++i)
            prefix = prefix << 8 | (start + i < end ? static_cast<unsigned char>(keys[start + i]) : 0);
        return prefix;
    }

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
    std::vector<std::uint32_t> order(rows);
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
