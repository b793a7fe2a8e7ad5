#include "RowOrder.h"

#include "GeneralSortOrder.h"
#include "TableData.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>
#include <string_view>

namespace jet {

namespace {

// Text columns are sorted through ranks: each distinct text gets its sort key once (a
// catalogue repeats designations), the distinct keys are sorted, and each row then sorts
// on its key's rank, a plain integer.
class TextRanks {
public:
    TextRanks(const ColumnValues &values, std::uint32_t rows) : m_rowRank(rows, 0)
    {
        QHash<QStringView, std::uint32_t> distinct;
        std::vector<QStringView> texts;
        std::vector<std::uint32_t> textOfRow(rows, NoText);
        for (std::uint32_t row = 0; row < rows; ++row) {
            if (values.isNull(row))
                continue;
            const QStringView text = values.text(row);
            const auto found = distinct.constFind(text);
            if (found != distinct.cend()) {
                textOfRow[row] = *found;
            } else {
                textOfRow[row] = std::uint32_t(texts.size());
                distinct.insert(text, textOfRow[row]);
                texts.push_back(text);
            }
        }
        const std::vector<std::uint32_t> rankOfText = rankTexts(texts);
        for (std::uint32_t row = 0; row < rows; ++row) {
            m_rowRank[row] = textOfRow[row] == NoText ? 0 : rankOfText[textOfRow[row]];
            m_highest = std::max(m_highest, m_rowRank[row]);
        }
    }

    // 0 for null, then 1, 2… in the General sort order; equal texts, equal ranks.
    std::uint32_t rank(std::uint32_t row) const { return m_rowRank[row]; }
    std::uint32_t highest() const { return m_highest; }

private:
    static constexpr std::uint32_t NoText = std::numeric_limits<std::uint32_t>::max();

    static std::vector<std::uint32_t> rankTexts(const std::vector<QStringView> &texts)
    {
        std::string keys;
        keys.reserve(texts.size() * 24);
        std::vector<std::size_t> ends;
        std::vector<std::uint64_t> prefixes;
        ends.reserve(texts.size());
        prefixes.reserve(texts.size());
        for (const QStringView text : texts) {
            const std::size_t start = keys.size();
            GeneralSortOrder::appendSortKey(text, keys);
            ends.push_back(keys.size());
            prefixes.push_back(prefixOf(keys, start, keys.size()));
        }
        const auto key = [&](std::uint32_t i) {
            const std::size_t start = i == 0 ? 0 : ends[i - 1];
            return std::string_view(keys.data() + start, ends[i] - start);
        };
        std::vector<std::uint32_t> order(texts.size());
        std::iota(order.begin(), order.end(), 0u);
        std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return prefixes[a] != prefixes[b] ? prefixes[a] < prefixes[b] : key(a) < key(b);
        });
        std::vector<std::uint32_t> rankOfText(texts.size());
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

    std::vector<std::uint32_t> m_rowRank;
    std::uint32_t m_highest = 0;
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
    return sortByRank(TextRanks(values, rows), rows, descending);
}

}  // namespace jet
