#pragma once
// One value's bytes into its column's storage (see TableData.h for the kinds).

namespace jet {

class ColumnValues;
class LibmdbFile;
class TextDecoding;
struct ColumnDefinition;
struct FieldBytes;

// False, with nothing appended, when the bytes cannot be the column's value: too short for
// its type, or a long value whose pages do not hold together.
bool decodeValue(const ColumnDefinition &column, const FieldBytes &field, const LibmdbFile &file,
                 const TextDecoding &text, ColumnValues &values);

}  // namespace jet
