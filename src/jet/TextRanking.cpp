#include "TextRanking.h"

#include "DistinctTexts.h"
#include "GeneralSortOrder.h"
#include "Latin1Weights.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>

namespace jet {

namespace {

// Byte-string keys back to back, the first eight bytes of each as a number too: most
// comparisons end there.
class Keys {
public:
    Keys(std::size_t count, std::size_t bytes)
    {
        m_bytes.reserve(bytes);
        m_ends.reserve(count);
        m_prefixes.reserve(count);
    }

    // The next key is appended to bytes(), then closed.
    std::string &bytes() { return m_bytes; }
    void close()
    {
        const std::size_t start = m_ends.empty() ? 0 : m_ends.back();
        std::uint64_t prefix = 0;
        for (std::size_t i = start; i < start + 8; ++i)
            prefix = prefix << 8 | (i < m_bytes.size() ? static_cast<unsigned char>(m_bytes[i]) : 0);
        m_ends.push_back(m_bytes.size());
        m_prefixes.push_back(prefix);
    }

    std::string_view key(std::uint32_t i) const
    {
        const std::size_t start = i == 0 ? 0 : m_ends[i - 1];
        return {m_bytes.data() + start, m_ends[i] - start};
    }

    // 0, 1… in the order of their keys.
    std::vector<std::uint32_t> order() const
    {
        std::vector<std::uint32_t> order(m_ends.size());
        std::iota(order.begin(), order.end(), 0u);
        std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return m_prefixes[a] != m_prefixes[b] ? m_prefixes[a] < m_prefixes[b] : key(a) < key(b);
        });
        return order;
    }

private:
    std::string m_bytes;
    std::vector<std::size_t> m_ends;
    std::vector<std::uint64_t> m_prefixes;
};

// The ICU sort keys of `numbers`' texts, in that order.
Keys sortKeysOf(const DistinctTexts &texts, const std::vector<std::uint32_t> &numbers)
{
    Keys keys(numbers.size(), numbers.size() * 32);
    std::u16string scratch;
    for (const std::uint32_t number : numbers) {
        GeneralSortOrder::appendSortKey(texts.utf16(number, scratch), keys.bytes());
        keys.close();
    }
    return keys;
}

// Ranks `numbers`' texts from rank + 1 on, in rankOfText; the rank they reached.
std::uint32_t rankBySortKeys(const DistinctTexts &texts, const std::vector<std::uint32_t> &numbers, std::uint32_t rank,
                             std::vector<std::uint32_t> &rankOfText)
{
    const Keys keys = sortKeysOf(texts, numbers);
    const std::vector<std::uint32_t> order = keys.order();
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i == 0 || keys.key(order[i]) != keys.key(order[i - 1]))
            ++rank;
        rankOfText[numbers[order[i]]] = rank;
    }
    return rank;
}

std::optional<Keys> primaryKeysOf(const DistinctTexts &texts)
{
    const Latin1Weights &weights = Latin1Weights::get();
    if (!weights.primaryBytesFit())
        return std::nullopt;
    // A byte per character, but for the few that expand (ß, æ, ½).
    Keys keys(texts.count(), texts.byteCount() + texts.byteCount() / 8);
    for (std::uint32_t number = 0; number < texts.count(); ++number) {
        if (!texts.isLatin1(number) || !weights.covers(texts.latin1(number)))
            return std::nullopt;
        for (const char c : texts.latin1(number)) {
            const auto bytes = weights.primaryBytes(static_cast<unsigned char>(c));
            keys.bytes().append(reinterpret_cast<const char *>(bytes.data()), bytes.size());
        }
        keys.close();
    }
    return keys;
}

}  // namespace

std::vector<std::uint32_t> rankTexts(const DistinctTexts &texts)
{
    std::vector<std::uint32_t> rankOfText(texts.count());
    const std::optional<Keys> primary = primaryKeysOf(texts);
    if (!primary) {
        std::vector<std::uint32_t> all(texts.count());
        std::iota(all.begin(), all.end(), 0u);
        rankBySortKeys(texts, all, 0, rankOfText);
        return rankOfText;
    }
    const std::vector<std::uint32_t> order = primary->order();
    std::uint32_t rank = 0;
    std::vector<std::uint32_t> sameWeights;
    for (std::size_t i = 0; i < order.size();) {
        std::size_t end = i + 1;
        while (end < order.size() && primary->key(order[end]) == primary->key(order[i]))
            ++end;
        if (end == i + 1) {
            rankOfText[order[i]] = ++rank;
        } else {
            sameWeights.assign(order.begin() + std::ptrdiff_t(i), order.begin() + std::ptrdiff_t(end));
            rank = rankBySortKeys(texts, sameWeights, rank, rankOfText);
        }
        i = end;
    }
    return rankOfText;
}

}  // namespace jet
