#pragma once
// The character codes the key handlers receive (see Form2Wiring.cpp).

#include <cstdint>

inline constexpr std::int16_t EnterKeyCode = 13;
