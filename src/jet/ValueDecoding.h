#pragma once
// One value's bytes into its column's storage (see ColumnValues.h for the kinds).

#include <string>

namespace jet {

class ColumnValues;
class LibmdbFile;
class TextDecoding;
struct ColumnDefinition;
struct FieldBytes;

// False, with nothing appended, when the bytes cannot be the column's value: too short for
// its type, or a long value whose pages do not hold together. `textBuffer` is room for
// a text on its way, reused from value to value.
bool decodeValue(const ColumnDefinition &column, const FieldBytes &field, const LibmdbFile &file,
                 const TextDecoding &text, ColumnValues &values, std::u16string &textBuffer);

}  // namespace jet
