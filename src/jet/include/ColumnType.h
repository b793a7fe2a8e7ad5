#pragma once
// The type codes of columns as the file stores them. The engine's public field types use
// the same numbers (Field::Type), as the classic object interface does for all of them but
// Decimal.

#include <cstdint>

namespace jet {

enum class ColumnType : std::uint8_t {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,   // 16-bit
    Long = 0x04,      // 32-bit
    Currency = 0x05,  // 64-bit count of ten-thousandths
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,  // days since 1899-12-30, time of day as the fraction
    Binary = 0x09,
    Text = 0x0A,
    LongBinary = 0x0B,  // OLE object
    Memo = 0x0C,
    Guid = 0x0F,
    Decimal = 0x10,
    Complex = 0x12,  // attachment / multi-valued field: the row holds an id
    BigInt = 0x13,   // 64-bit integer (recent ACE files)
};

}  // namespace jet
