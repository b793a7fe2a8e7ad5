#include "Latin1Weights.h"

#include "CollationElements.h"

#include <algorithm>
#include <vector>

namespace jet {

namespace {

constexpr char16_t InContractions = 0xB7;

}  // namespace

const Latin1Weights &Latin1Weights::get()
{
    static const Latin1Weights weights;
    return weights;
}

Latin1Weights::Latin1Weights()
{
    for (char16_t c = 0; c < 256; ++c) {
        std::size_t count = 0;
        bool fits = true;
        bool afterPrimary = false;  // a continuation completes the primary weight before it
        CollationElements::forEach(QStringView(&c, 1), [&](std::uint32_t value) {
            const std::uint16_t half = CollationElements::primaryHalf(value);
            if (CollationElements::isContinuation(value)) {
                if (afterPrimary)
                    m_primaries[c][count - 1] |= half;
                afterPrimary = false;
            } else if (half == 0) {
                afterPrimary = false;
            } else if (count < MostPrimaries) {
                m_primaries[c][count++] = std::uint32_t(half) << 16;
                afterPrimary = true;
            } else {
                fits = false;
                afterPrimary = false;
            }
        });
        m_count[c] = std::uint8_t(count);
        m_standsAlone[c] = fits && c != InContractions;
    }
    numberPrimaries();
}

void Latin1Weights::numberPrimaries()
{
    std::vector<std::uint32_t> all;
    for (std::size_t c = 0; c < 256; ++c)
        all.insert(all.end(), m_primaries[c].begin(), m_primaries[c].begin() + m_count[c]);
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    m_bytesFit = all.size() <= 255;
    if (!m_bytesFit)
        return;
    for (std::size_t c = 0; c < 256; ++c) {
        for (std::size_t i = 0; i < m_count[c]; ++i) {
            const auto place = std::lower_bound(all.begin(), all.end(), m_primaries[c][i]) - all.begin();
            m_primaryBytes[c][i] = static_cast<unsigned char>(place + 1);
        }
    }
}

bool Latin1Weights::covers(QStringView text) const
{
    return std::all_of(text.begin(), text.end(),
                       [&](QChar c) { return c.unicode() <= 0xFF && m_standsAlone[c.unicode()]; });
}

bool Latin1Weights::covers(std::string_view latin1) const
{
    return std::all_of(latin1.begin(), latin1.end(),
                       [&](char c) { return m_standsAlone[static_cast<unsigned char>(c)]; });
}

}  // namespace jet
