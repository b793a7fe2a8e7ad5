#pragma once
// One value's bytes into its column's storage (see TableData.h for the kinds).

namespace jet {

class ColumnValues;
class LibmdbFile;
class TextDecoding;
struct ColumnDefinition;
struct FieldBytes;

// False when the bytes are too short for the column's type.
bool decodeValue(const ColumnDefinition &column, const FieldBytes &field, const LibmdbFile &file,
                 const TextDecoding &text, ColumnValues &values);

}  // namespace jet
