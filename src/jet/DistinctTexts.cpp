#include "DistinctTexts.h"

#include "EngineErrors.h"
#include "HugePages.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace jet {

namespace {

constexpr std::size_t FewestSlots = 1024;
// Half a megabyte: below it the table stays in the processor's caches.
constexpr std::size_t SlotsWorthQuestioning = 65536;
constexpr std::uint64_t NumberMask = 0xFFFF'FFFF;
// A table never more than half full keeps its runs of taken slots short: a run this long
// does not happen by chance, whatever the number of texts. Only texts made to collide build
// one, and looking further would make adding them cost the square of their number: the
// column then stops looking for repeats.
constexpr std::size_t LongestProbe = 256;

bool fitsLatin1(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

// A slot's place, from the hash it keeps: growing the table needs nothing else.
std::size_t placeOf(std::uint64_t slot, std::size_t mask)
{
    return std::size_t(slot >> 32) & mask;
}

}  // namespace

std::string_view DistinctTexts::bytesOf(std::uint32_t number) const
{
    std::size_t start = startOf(number);
    const std::size_t end = m_ends[number] & EndMask;
    if (!isLatin1(number))
        start += start % 2;  // UTF-16 texts start on an even byte (see add)
    return {m_bytes.data() + start, end - start};
}

void DistinctTexts::reserve(std::size_t texts, std::size_t bytesEach)
{
    reserveOnHugePages(m_ends, texts);
    reserveOnHugePages(m_bytes, texts * bytesEach);
    // Room for as many distinct texts as the column will have, up to where the table is
    // questioned: growing it is hashing every text again.
    m_firstSlotCount = std::clamp(std::bit_ceil(2 * texts), FewestSlots, SlotsWorthQuestioning);
}

std::uint32_t DistinctTexts::add(QStringView text)
{
    // Appended as it would be kept, then taken back if the text is already there.
    const std::size_t start = m_bytes.size();
    if (!fitsLatin1(text)) {
        // Aligned for char16_t, so that utf16() can point into the buffer.
        m_bytes.append(start % 2, '\0');
        m_bytes.append(reinterpret_cast<const char *>(text.utf16()), 2 * std::size_t(text.size()));
        return settle(start, false);
    }
    m_bytes.resize(start + std::size_t(text.size()));
    std::transform(text.begin(), text.end(), m_bytes.begin() + std::ptrdiff_t(start),
                   [](QChar c) { return char(c.unicode()); });
    return settle(start, true);
}

std::uint32_t DistinctTexts::addLatin1(std::string_view text)
{
    const std::size_t start = m_bytes.size();
    m_bytes.append(text);
    return settle(start, true);
}

std::uint32_t DistinctTexts::settle(std::size_t start, bool latin1)
{
    if (m_bytes.size() > EndMask)
        throw errors::notSupported(QStringLiteral("plus de 2 Go de textes dans une même colonne"));
    const std::uint32_t number = count();
    const std::uint32_t end = std::uint32_t(m_bytes.size()) | (latin1 ? 0 : Utf16Flag);
    if (!m_lookingForRepeats) {
        m_ends.push_back(end);
        return number;
    }

    const std::size_t first = latin1 ? start : start + start % 2;
    const std::string_view bytes(m_bytes.data() + first, m_bytes.size() - first);
    const std::uint64_t hashBits = std::hash<std::string_view>{}(bytes) & ~NumberMask;
    if (m_slots.empty())
        m_slots.assign(m_firstSlotCount, 0);
    ++m_addedSinceGrowth;
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = placeOf(hashBits, mask);
    for (std::size_t probes = 0; m_slots[at] != 0; at = (at + 1) & mask) {
        if (++probes > LongestProbe) {
            stopLooking();
            m_ends.push_back(end);
            return number;
        }
        if ((m_slots[at] & ~NumberMask) != hashBits)
            continue;
        const auto found = std::uint32_t((m_slots[at] & NumberMask) - 1);
        if (isLatin1(found) == latin1 && bytesOf(found) == bytes) {
            m_bytes.resize(start);
            return found;
        }
    }
    ++m_newSinceGrowth;
    m_ends.push_back(end);
    m_slots[at] = hashBits | (std::uint64_t(number) + 1);
    if (2 * std::size_t(count()) > m_slots.size()) {
        if (!stillWorthLooking() || !growSlots())
            stopLooking();
    }
    return number;
}

void DistinctTexts::stopLooking()
{
    m_lookingForRepeats = false;
    m_slots = {};
}

bool DistinctTexts::stillWorthLooking() const
{
    return m_slots.size() < SlotsWorthQuestioning ||
           10 * std::uint64_t(m_newSinceGrowth) < 9 * std::uint64_t(m_addedSinceGrowth);
}

bool DistinctTexts::growSlots()
{
    std::vector<std::uint64_t> wider(2 * m_slots.size(), 0);
    const std::size_t mask = wider.size() - 1;
    for (const std::uint64_t slot : m_slots) {
        if (slot == 0)
            continue;
        std::size_t at = placeOf(slot, mask);
        for (std::size_t probes = 0; wider[at] != 0; at = (at + 1) & mask) {
            if (++probes > LongestProbe)
                return false;
        }
        wider[at] = slot;
    }
    m_slots = std::move(wider);
    m_addedSinceGrowth = 0;
    m_newSinceGrowth = 0;
    return true;
}

void DistinctTexts::finishAdding()
{
    m_slots = {};
}

QString DistinctTexts::text(std::uint32_t number) const
{
    const std::string_view bytes = bytesOf(number);
    if (isLatin1(number))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.data()), qsizetype(bytes.size() / 2));
}

QStringView DistinctTexts::utf16(std::uint32_t number, std::u16string &scratch) const
{
    const std::string_view bytes = bytesOf(number);
    if (!isLatin1(number))
        return {reinterpret_cast<const char16_t *>(bytes.data()), qsizetype(bytes.size() / 2)};
    scratch.resize(bytes.size());
    // Latin-1 bytes: unsigned, whatever the sign of char.
    std::transform(bytes.begin(), bytes.end(), scratch.begin(),
                   [](char byte) { return char16_t(static_cast<unsigned char>(byte)); });
    return scratch;
}

}  // namespace jet
