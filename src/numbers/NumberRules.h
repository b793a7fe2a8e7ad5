#pragma once
// How numbers are read from text and written back to text, everywhere in the program.
// Every failure is a RuntimeError of kind TypeMismatch, Overflow, DivisionByZero or
// InvalidUseOfNull; no rule prints or shows anything.

#include "Currency.h"
#include "MixedValue.h"
#include "RegionalSettings.h"

#include <QString>
#include <cstdint>
#include <optional>

// Locale-blind reading: blanks, tabs and line feeds removed, optional sign, digits with at
// most one period; stops at the first character that does not fit. Never fails.
double ReadLenient(const QString &text);

// Locale-aware readers (decimal separator, group separator, minus sign of `rs`).
double ReadLocaleDouble(const QString &text, const RegionalSettings &rs);
Currency ReadLocaleCurrency(const QString &text, const RegionalSettings &rs);
// ReadLocaleDouble for loops where an unreadable text is ordinary (an empty discount cell):
// no value where ReadLocaleDouble raises, and no exception to pay for.
std::optional<double> TryReadLocaleDouble(const QString &text, const RegionalSettings &rs);

// Rounds to the nearest ten-thousandth, halves to even; text through ReadLocaleCurrency;
// empty gives 0; null fails.
Currency ToCurrency(double value);
Currency ToCurrency(const MixedValue &value, const RegionalSettings &rs);

// Pattern "## ### ##0.00": plain spaces at the pattern's blanks, the locale's decimal
// separator. Applied to text: read by ReadLocaleDouble, or the text unchanged if unreadable.
QString FormatAmount(double value, const RegionalSettings &rs);
QString FormatAmount(const QString &text, const RegionalSettings &rs);
QString FormatAmount(const MixedValue &value, const RegionalSettings &rs);

// What ReadLocaleCurrency reads back from FormatAmount's text of `value`, in any locale: the
// amount as shown, to the cent (its blanks between digit groups are read, NumberDecisions
// D1). Nothing where that text is not a number (null, a text that is none) or lies beyond
// Currency. For sums of amounts as the grid shows them, without writing their texts.
std::optional<Currency> AmountReadBack(const MixedValue &value, const RegionalSettings &rs);

// The named format "standard": locale grouping, two decimals, locale minus.
QString FormatStandard(double value, const RegionalSettings &rs);
QString FormatStandard(Currency value, const RegionalSettings &rs);
// What ReadLocaleDouble reads back from FormatStandard's text of `value`, in any locale:
// the amount rounded to the cent, halves away from zero, as the nearest double. For a sum
// carried in its standard text, without writing the text at every step.
double StandardReadBack(Currency value);

// Plain digits: no grouping, no filling blanks, no trailing zeros.
QString PlainNumberText(std::int16_t value, const RegionalSettings &rs);
QString PlainNumberText(std::int32_t value, const RegionalSettings &rs);
QString PlainNumberText(double value, const RegionalSettings &rs);
QString PlainNumberText(Currency value, const RegionalSettings &rs);

// ×, −, ÷, + on mixed values, with the result kinds, widening, null and empty rules.
namespace MixedArithmetic {
MixedValue Multiply(const MixedValue &a, const MixedValue &b, const RegionalSettings &rs);
MixedValue Subtract(const MixedValue &a, const MixedValue &b, const RegionalSettings &rs);
MixedValue Divide(const MixedValue &a, const MixedValue &b, const RegionalSettings &rs);
MixedValue Add(const MixedValue &a, const MixedValue &b, const RegionalSettings &rs);

// A mixed value joined into a text (a grid line): text as is, numbers by PlainNumberText,
// null and empty as "".
QString JoinedText(const MixedValue &value, const RegionalSettings &rs);
// A mixed value turned into a text on its own: as JoinedText, but null fails.
QString ToText(const MixedValue &value, const RegionalSettings &rs);
// The value as a double, a text read by ReadLocaleDouble; null fails, empty gives 0.
double ToDouble(const MixedValue &value, const RegionalSettings &rs);
}  // namespace MixedArithmetic

// The check after every double computation the program does itself: NaN or infinity
// fails with an overflow error; otherwise the value is returned unchanged.
double CheckedDouble(double value);

// Rounds halves to even; text through ReadLocaleDouble; out of range fails with overflow.
std::int32_t ToInt32(const MixedValue &value, const RegionalSettings &rs);
// Checked integer steps on row numbers.
std::int32_t CheckedAdd(std::int32_t a, std::int32_t b);
std::int16_t CheckedAdd(std::int16_t a, std::int16_t b);
