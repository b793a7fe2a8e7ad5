#pragma once
// A text's collation elements, as ICU's element iterator gives them for the General sort
// order's collator (FrenchCollator.h): the equality hash and the Latin-1 weights are
// derived from them.
//
// An element comes as one 32-bit value, or two when it needs a continuation, which is
// marked by 0xC0 in its low byte (a first value never has both bits there: it holds the
// tertiary weight's high byte, whose two case bits are never both set). The high 16 bits
// of the first value are the element's primary weight's high half, those of the
// continuation its low half. Ignorable elements, and those of accents, have no primary
// weight.

#include <QStringView>
#include <cstdint>
#include <functional>

namespace jet::CollationElements {

// Each 32-bit value of the text's elements, in order.
void forEach(QStringView text, const std::function<void(std::uint32_t)> &value);

inline bool isContinuation(std::uint32_t value)
{
    return (value & 0xC0) == 0xC0;
}

inline std::uint16_t primaryHalf(std::uint32_t value)
{
    return std::uint16_t(value >> 16);
}

}  // namespace jet::CollationElements
