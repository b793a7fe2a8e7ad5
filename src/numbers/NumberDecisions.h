#pragma once
// The choices this program makes about numbers as text, where reading and writing them
// leaves room for more than one answer. Every rule's source refers here by number, and
// tests/numbers checks each of them.
//
// D1  Blanks between digit groups. The locale-aware readers take a plain space, a
//     no-break space (U+00A0) and a narrow no-break space (U+202F) between digits of the
//     whole part, in every locale, besides the locale's own group separator. FormatAmount
//     writes plain spaces between the groups of amounts from 1 000 up; without this such
//     an amount could not be read back, and every line at that price would total zero
//     outside French settings.
// D2  Halves are decided on the number as the user sees it: the double's decimal form at
//     fifteen significant digits. FormatAmount and FormatStandard round that form to the
//     cent, halves away from zero (2.675 gives 2,68; 999.995 gives " 1 000,00"; 1.005
//     gives 1,01); ToCurrency of a double rounds it to the ten-thousandth, halves to even.
//     Digits a double carries past the fifteenth are not used. ToInt32 rounds the double
//     itself, halves to even: it takes row and column numbers, never amounts.
// D3  Negative amounts under FormatAmount: the locale's minus sign right before the first
//     digit, the pattern's blanks kept: -5 gives "  -5,00", -1234.5 gives " -1 234,50".
//     A value that rounds to zero is written without a sign.
// D4  PlainNumberText of a double uses the exponent form when the fifteen-digit form would
//     need more than fifteen digits before the decimal separator or more than four zeros
//     after it (decimal exponent from 15 up, or below -4): 1E+15, 1,5E-05, -2,5E+20. The
//     mantissa has the locale's decimal separator, the exponent at least two digits and
//     always a sign. The locale-aware readers take that form back.
// D5  What the locale-aware readers take, and nothing more: blanks (space, tab, U+00A0,
//     U+202F) at both ends; one leading sign, "+", the locale's minus sign or "-"; ASCII
//     digits; at most one decimal separator, which may open or close the number (",5",
//     "5,") as long as there is a digit; an exponent E or e with an optional sign and at
//     least one digit. No currency symbol, no parentheses, no trailing sign, no
//     hexadecimal or octal prefix: the program's own texts never hold them.
// D6  ReadLenient reads no exponent and no prefix: "12E3" gives 12, "&H10" gives 0.
// D7  Beyond the double range: the locale-aware readers raise an overflow error; below the
//     smallest double they give 0. ReadLenient, which never fails, gives an infinity, and
//     the check after the caller's own computation raises the overflow. The largest double
//     shown at fifteen digits, 1.79769313486232E+308, lies just above the largest double:
//     texts up to it read as the largest double, so that what the writers make of it
//     reads back.
// D8  Zero has no sign: "-0" reads as 0, and nothing prints as "-0".
// D9  In arithmetic, empty is the 16-bit integer 0: empty + "5" reads the text and gives
//     the double 5. FormatAmount writes empty as 0 ("  0,00") and null as the empty text,
//     so that a null price fails where it is summed, not where it is shown.
//     MixedValue::isNumber holds for the four number kinds only, not for empty.
// D10 0 ÷ 0 has no value and raises an overflow error; any other number ÷ 0 raises a
//     division-by-zero error.
// D11 Currency × Currency keeps four decimals, halves to even, as every Currency result.
// D12 The regional settings are taken as the locale states them: the C locale's group
//     separator is ",", so FormatStandard writes 1,234.50 there.

#include <QChar>

namespace NumberDecisions {

// D2: how many significant digits of a double the user sees.
inline constexpr int ViewDigits = 15;

// D1: the blanks taken between digit groups in every locale.
inline bool isBlankGroupSeparator(QChar c)
{
    return c == u' ' || c == u'\u00A0' || c == u'\u202F';
}

// D5: the blanks skipped at both ends of a text.
inline bool isEndBlank(QChar c)
{
    return c == u'\t' || isBlankGroupSeparator(c);
}

}  // namespace NumberDecisions
