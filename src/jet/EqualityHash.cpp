// GeneralSortOrder::equalityHash: why a hash of primary weights is one of the order's
// equality, and how it is had cheaply.
//
// The collator makes a text a sequence of collation elements, each with a primary weight
// (the base character), a secondary one (the accent) and a tertiary one (the case). At
// secondary strength two texts are equal when their sequences of non-zero primary weights
// are, and those of secondary weights too: equal texts have the same non-zero primary
// weights in the same order. (Spaces and signs have primary weights: FrenchCollator.cpp
// keeps them counting.) ICU's element iterator gives an element as one 32-bit half, or two
// when it needs a continuation: the high 16 bits of the first are the primary weight's high
// half, those of the continuation its low half. The hash takes every non-zero high 16 bits
// in turn, so the same primary weights always give the same hash.
//
// Each character below U+0100 gives the same elements wherever it stands, except within a
// contraction, which the collator reads as one unit: "L·" and "l·" (U+00B7, middle dot) are
// the only ones made of such characters. A text of those characters without U+00B7 is
// therefore hashed from a table of each character's elements, end to end; any other goes
// through ICU's iterator. tst_jet_collation checks both against ICU.

#include "GeneralSortOrder.h"

#include "EngineErrors.h"
#include "FrenchCollator.h"

#include <array>
#include <memory>
#include <optional>
#include <unicode/ucol.h>
#include <unicode/ucoleitr.h>

namespace jet::GeneralSortOrder {

namespace {

constexpr std::uint64_t Seed = 0x9E37'79B9'7F4A'7C15;
constexpr std::uint64_t Multiplier = 0xFF51'AFD7'ED55'8CCD;
constexpr char16_t InContractions = 0xB7;
constexpr std::size_t MostHalves = 6;  // ½ has three elements; more takes the slow way

void addHalf(std::uint64_t &hash, std::uint16_t half)
{
    hash = (hash ^ half) * Multiplier;
}

std::uint64_t finished(std::uint64_t hash)
{
    return hash ^ (hash >> 31);
}

RuntimeError collatorFailure()
{
    return errors::notSupported(QStringLiteral("l'ordre de tri français est indisponible (ICU)"));
}

struct ElementsClose {
    void operator()(UCollationElements *elements) const { ucol_closeElements(elements); }
};

template <class Add>
void forEachPrimaryHalf(QStringView text, Add add)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UCollationElements, ElementsClose> elements(ucol_openElements(
        frenchCollator(), reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()), &status));
    if (U_FAILURE(status))
        throw collatorFailure();
    for (;;) {
        const std::int32_t element = ucol_next(elements.get(), &status);
        if (U_FAILURE(status))
            throw collatorFailure();
        if (element == UCOL_NULLORDER)
            return;
        if (const auto half = std::uint16_t(std::uint32_t(element) >> 16))
            add(half);
    }
}

std::uint64_t hashThroughIcu(QStringView text)
{
    std::uint64_t hash = Seed;
    forEachPrimaryHalf(text, [&](std::uint16_t half) { addHalf(hash, half); });
    return finished(hash);
}

struct Latin1Elements {
    std::array<std::array<std::uint16_t, MostHalves>, 256> halves{};
    std::array<std::uint8_t, 256> count{};
    std::array<bool, 256> standsAlone{};  // false: the text goes through ICU
};

const Latin1Elements &latin1Elements()
{
    static const Latin1Elements table = [] {
        Latin1Elements elements;
        for (char16_t c = 0; c < 256; ++c) {
            std::size_t count = 0;
            forEachPrimaryHalf(QStringView(&c, 1), [&](std::uint16_t half) {
                if (count < MostHalves)
                    elements.halves[c][count] = half;
                ++count;
            });
            elements.count[c] = std::uint8_t(std::min(count, MostHalves));
            elements.standsAlone[c] = count <= MostHalves && c != InContractions;
        }
        return elements;
    }();
    return table;
}

// From the table, when every character stands alone.
std::optional<std::uint64_t> hashFromTable(QStringView text)
{
    const Latin1Elements &table = latin1Elements();
    std::uint64_t hash = Seed;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code > 0xFF || !table.standsAlone[code])
            return std::nullopt;
        for (std::size_t i = 0; i < table.count[code]; ++i)
            addHalf(hash, table.halves[code][i]);
    }
    return finished(hash);
}

}  // namespace

std::uint64_t equalityHash(QStringView text)
{
    if (const std::optional<std::uint64_t> hash = hashFromTable(text))
        return *hash;
    return hashThroughIcu(text);
}

}  // namespace jet::GeneralSortOrder
