#pragma once
// The primary weights the collator (FrenchCollator.h) gives each character below U+0100
// standing alone, read once from ICU: the letter, digit or sign it is, without its accent
// or case. A text of such characters has its characters' primary weights end to end, unless
// a contraction makes two of them one unit: "L·" and "l·" are the only ones, so the middle
// dot (U+00B7) is not said to stand alone, and a text holding it is left to ICU.
// tst_jet_seek_equality and tst_jet_listing_order check both against ICU itself.

#include <QStringView>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace jet {

class Latin1Weights {
public:
    static const Latin1Weights &get();

    // Whether the table gives the text's weights: every character below U+0100 and
    // standing alone.
    bool covers(QStringView text) const;
    bool covers(std::string_view latin1) const;
    std::span<const std::uint32_t> primaries(unsigned char c) const { return {m_primaries[c].data(), m_count[c]}; }
    // The same weights as one byte each: their place among all the table's primary weights
    // in the collator's order, from 1. Texts compare by these bytes as the collator compares
    // their primary weights. Empty spans for all when the table has more than 255 weights.
    std::span<const unsigned char> primaryBytes(unsigned char c) const
    {
        return {m_primaryBytes[c].data(), m_bytesFit ? m_count[c] : std::size_t(0)};
    }
    bool primaryBytesFit() const { return m_bytesFit; }

private:
    static constexpr std::size_t MostPrimaries = 4;  // ½ has three

    Latin1Weights();
    void numberPrimaries();

    std::array<std::array<std::uint32_t, MostPrimaries>, 256> m_primaries{};
    std::array<std::array<unsigned char, MostPrimaries>, 256> m_primaryBytes{};
    std::array<std::uint8_t, 256> m_count{};
    bool m_bytesFit = false;
    std::array<bool, 256> m_standsAlone{};
};

}  // namespace jet
