#pragma once
// A decimal number as a run of significant digits and a power of ten. The readers scan
// text into it and the writers round it and lay its digits out; working on decimal digits
// keeps reading and rounding exact, free of the binary neighbours a double would bring.

#include "Currency.h"

#include <QChar>

#include <cstdint>
#include <optional>

// The digits the readers take from a text: 0 to 9, never another script's digits.
inline bool isDecimalDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

struct DecimalNumber {
    // Enough significant digits to decide the nearest double of any text; past this,
    // digits only tell whether something non-zero was left out.
    static constexpr int MaxDigits = 800;

    bool negative = false;
    int count = 0;                // digits held; the first one is never '0'
    int exponent = 0;             // value = ±digits × 10^exponent
    bool droppedNonZero = false;  // a non-zero digit past MaxDigits was left out
    char digits[MaxDigits];       // '0' to '9'

    bool isZero() const { return count == 0; }

    // Scanning, left to right. Leading zeros are not kept; past MaxDigits a whole digit
    // only scales the number and a fraction digit is left out.
    void addWholeDigit(char digit)
    {
        if (count == 0 && digit == '0')
            return;
        if (count < MaxDigits) {
            digits[count++] = digit;
        } else {
            ++exponent;
            droppedNonZero = droppedNonZero || digit != '0';
        }
    }

    void addFractionDigit(char digit)
    {
        if (count == 0 && digit == '0') {
            --exponent;
        } else if (count < MaxDigits) {
            digits[count++] = digit;
            --exponent;
        } else {
            droppedNonZero = droppedNonZero || digit != '0';
        }
    }

    void scaleByPowerOfTen(int power);  // an exponent read from the text

    // The double's decimal form at the digits the user sees (NumberDecisions D2).
    // Not finite: overflow error.
    static DecimalNumber userView(double value);
    static DecimalNumber exact(Currency value);

    // The nearest double; false beyond the double's range, 0 below it (D7).
    bool toDouble(double &result) const;
    // The nearest ten-thousandth, halves to even; overflow error beyond the range.
    Currency toCurrency() const;
};

// When `value` is the double nearest to an amount of at most four decimals and fifteen
// digits, as every price, total and sum of a sheet is: that amount, in ten-thousandths.
// Its digits are then exactly the ones the user sees (NumberDecisions D2). Nothing
// otherwise.
std::optional<std::int64_t> nearestTenThousandths(double value);

enum class Halves { ToEven, AwayFromZero };

// The digits of round(value × 10^decimals), without leading zeros ("0" for zero).
struct ScaledDigits {
    static constexpr int Capacity = DecimalNumber::MaxDigits + 32;

    bool negative = false;  // never set for zero
    int length = 0;
    char digits[Capacity];
};

// Overflow error when the result would not fit ScaledDigits.
ScaledDigits roundScaled(const DecimalNumber &number, int decimals, Halves halves);
