#pragma once
// The character codes the key handlers receive (see Form2Wiring.cpp).

#include <cstdint>

inline constexpr std::int16_t EnterKeyCode = 13;
// Ctrl+Enter: a line feed, which no handler acts on.
inline constexpr std::int16_t LineFeedKeyCode = 10;
