#pragma once
// One value's bytes into its column's storage (see ColumnValues.h for the kinds).

#include <string>

namespace jet {

class ColumnValues;
class LongValues;
class TextDecoding;
struct ColumnDefinition;
struct FieldBytes;

// False, with nothing appended, when the bytes cannot be the column's value: too short for
// its type, or a long value whose pages do not hold together. `longValues` reads those of
// the table being decoded; `textBuffer` is room for a text on its way, reused from value
// to value.
bool decodeValue(const ColumnDefinition &column, const FieldBytes &field, LongValues &longValues,
                 const TextDecoding &text, ColumnValues &values, std::u16string &textBuffer);

}  // namespace jet
