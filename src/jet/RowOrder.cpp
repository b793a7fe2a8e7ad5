#include "RowOrder.h"

#include "GeneralSortOrder.h"
#include "TableData.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <string>

namespace jet {

namespace {

// Every row's key in one buffer, with its first eight bytes kept as a number so that
// most comparisons are one integer comparison.
class TextKeys {
public:
    explicit TextKeys(const ColumnValues &values, std::uint32_t rows)
    {
        m_ends.reserve(rows);
        m_prefixes.reserve(rows);
        for (std::uint32_t row = 0; row < rows; ++row) {
            const std::size_t start = m_keys.size();
            if (!values.isNull(row))
                GeneralSortOrder::appendSortKey(values.text(row), m_keys);
            m_ends.push_back(m_keys.size());
            m_prefixes.push_back(prefixOf(start, m_keys.size()));
        }
    }

    int compare(std::uint32_t a, std::uint32_t b) const
    {
        if (m_prefixes[a] != m_prefixes[b])
            return m_prefixes[a] < m_prefixes[b] ? -1 : 1;
        const std::size_t startA = a == 0 ? 0 : m_ends[a - 1];
        const std::size_t startB = b == 0 ? 0 : m_ends[b - 1];
        const std::size_t sizeA = m_ends[a] - startA;
        const std::size_t sizeB = m_ends[b] - startB;
        const int bytes = std::memcmp(m_keys.data() + startA, m_keys.data() + startB, std::min(sizeA, sizeB));
        if (bytes != 0)
            return bytes;
        return sizeA == sizeB ? 0 : (sizeA < sizeB ? -1 : 1);
    }

private:
    std::uint64_t prefixOf(std::size_t start, std::size_t end) const
    {
        std::uint64_t prefix = 0;
        for (std::size_t i = 0; i < 8; ++i)
            prefix = prefix << 8 | (start + i < end ? static_cast<unsigned char>(m_keys[start + i]) : 0);
        return prefix;
    }

    std::string m_keys;
    std::vector<std::size_t> m_ends;
    std::vector<std::uint64_t> m_prefixes;
};

template <class Compare>
std::vector<std::uint32_t> sortRows(const ColumnValues &values, std::uint32_t rows, bool descending, Compare compareValues)
{
    std::vector<std::uint32_t> order(rows);
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const bool nullA = values.isNull(a);
        const bool nullB = values.isNull(b);
        int byValue = nullA || nullB ? int(nullB) - int(nullA) : compareValues(a, b);
        if (descending)
            byValue = -byValue;
        return byValue != 0 ? byValue < 0 : a < b;
    });
    return order;
}

template <class T>
int threeWay(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// A damaged double may be NaN: it goes after every number, so that the order stays total.
int compareReal(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return int(std::isnan(a)) - int(std::isnan(b));
    return threeWay(a, b);
}

}  // namespace

std::vector<std::uint32_t> sortedRows(const TableData &table, int position, bool descending)
{
    const ColumnValues &values = table.values(position);
    const std::uint32_t rows = table.rowCount();
    switch (values.storage()) {
    case Storage::Integer:
        return sortRows(values, rows, descending,
                        [&](std::uint32_t a, std::uint32_t b) { return threeWay(values.integer(a), values.integer(b)); });
    case Storage::Real:
        return sortRows(values, rows, descending,
                        [&](std::uint32_t a, std::uint32_t b) { return compareReal(values.real(a), values.real(b)); });
    case Storage::Text:
        break;
    }
    const TextKeys keys(values, rows);
    return sortRows(values, rows, descending, [&](std::uint32_t a, std::uint32_t b) { return keys.compare(a, b); });
}

}  // namespace jet
