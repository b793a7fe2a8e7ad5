// GeneralSortOrder::equalityHash: why a hash of primary weights is one of the order's
// equality, and how it is had cheaply.
//
// The collator makes a text a sequence of collation elements (CollationElements.h), each
// with a primary weight (the base character), a secondary one (the accent) and a tertiary
// one (the case). At secondary strength two texts are equal when their sequences of
// non-zero primary weights are, and those of secondary weights too: equal texts have the
// same non-zero primary weights in the same order. (Spaces and signs have primary weights:
// FrenchCollator.cpp keeps them counting.) The hash takes the non-zero halves of the
// primary weights in turn, whose sequence the weights alone decide.
//
// Texts the table of Latin-1 weights covers (Latin1Weights.h), nearly all, are hashed from
// it; any other through ICU's element iterator. tst_jet_seek_equality checks both against
// ICU itself.
//
// The hash starts from the process's random hash seed (Qt's: QT_HASH_SEED fixes it for a
// reproducible run). A fixed start would let a file be made of references that all fall in
// one group of the look-up index, through which every look-up would then walk.

#include "GeneralSortOrder.h"

#include "CollationElements.h"
#include "Latin1Weights.h"

#include <QHashFunctions>

namespace jet::GeneralSortOrder {

namespace {

constexpr std::uint64_t Seed = 0x9E37'79B9'7F4A'7C15;
constexpr std::uint64_t Multiplier = 0xFF51'AFD7'ED55'8CCD;

void addHalf(std::uint64_t &hash, std::uint16_t half)
{
    if (half != 0)
        hash = (hash ^ half) * Multiplier;
}

std::uint64_t finished(std::uint64_t hash)
{
    return hash ^ (hash >> 31);
}

std::uint64_t start()
{
    static const std::uint64_t seeded = Seed ^ QHashSeed::globalSeed();
    return seeded;
}

}  // namespace

std::uint64_t equalityHash(QStringView text)
{
    std::uint64_t hash = start();
    const Latin1Weights &weights = Latin1Weights::get();
    if (weights.covers(text)) {
        for (const QChar c : text) {
            for (const std::uint32_t primary : weights.primaries(static_cast<unsigned char>(c.unicode()))) {
                addHalf(hash, std::uint16_t(primary >> 16));
                addHalf(hash, std::uint16_t(primary));
            }
        }
    } else {
        CollationElements::forEach(text,
                                   [&](std::uint32_t value) { addHalf(hash, CollationElements::primaryHalf(value)); });
    }
    return finished(hash);
}

}  // namespace jet::GeneralSortOrder
