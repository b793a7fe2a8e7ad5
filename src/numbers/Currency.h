#pragma once
// Fixed-point money: a signed 64-bit count of ten-thousandths, exactly as the catalogue
// stores it. Range −922 337 203 685 477.5808 to 922 337 203 685 477.5807.

#ifndef Q_MOC_RUN  // moc cannot parse GCC 12's <compare>, and classes that moc reads include this
#include <compare>
#endif
#include <cstdint>
#include <limits>

struct Currency {
    std::int64_t tenThousandths = 0;

    static constexpr std::int64_t Scale = 10000;

    static constexpr Currency fromTenThousandths(std::int64_t t) { return Currency{t}; }
    static constexpr Currency max() { return {std::numeric_limits<std::int64_t>::max()}; }
    static constexpr Currency min() { return {std::numeric_limits<std::int64_t>::min()}; }

    // The value as a double (exact for every amount a shop meets; used where the rules
    // mix currency with doubles).
    double toDouble() const { return static_cast<double>(tenThousandths) / Scale; }

    friend constexpr auto operator<=>(Currency, Currency) = default;
};

// Checked: leaving the range raises an overflow error.
Currency operator+(Currency a, Currency b);
Currency operator-(Currency a, Currency b);
