#pragma once
// An amount rounded to the cent, halves away from zero, as both amount formats write it:
// the sign, the digits of the whole part and the two decimals.

#include "Currency.h"
#include "DecimalNumber.h"
#include "TextBuffer.h"

#include <QString>
#include <string_view>

struct CentDigits {
    bool negative = false;   // never set for an amount that rounds to zero
    std::string_view whole;  // at least one digit; points into `scaled`
    std::string_view cents;  // two digits; points into `scaled`

    explicit CentDigits(const DecimalNumber &amount);
    explicit CentDigits(Currency amount);
    // The double as the user sees it (NumberDecisions D2).
    explicit CentDigits(double value);
    CentDigits(const CentDigits &) = delete;  // the views point into this very object

    // Appends the locale's decimal separator and the two decimals.
    void appendDecimals(TextBuffer &out, const QString &decimalSeparator) const;
    // The amount its digits say, as a reader takes them back.
    DecimalNumber number() const;

private:
    void settle();

    ScaledDigits scaled;
};
