#pragma once
// Field values as the catalogue text format writes them (the format `create` reads):
// `NULL` for a null, `.` as the decimal mark, amounts with exactly four decimals, doubles
// in the shortest form that reads back to the same double, texts with `\t`, `\n` and `\\`
// escaped.
//
// The other kinds: booleans −1 (true) or 0, as the engine gives them; bytes as integers;
// singles as the double the engine widens them to, exactly (0.1 shows as
// 0.10000000149011612, which `create` rounds back to the same single); dates as
// `YYYY-MM-DD HH:MM:SS` (to the second); memos as texts; binary and OLE data in
// hexadecimal; GUIDs braced.

#include "MixedValue.h"

#include <QString>
#include <cstdint>

namespace jet {
class Field;
}

namespace catalogue {

// `name:TYPE`, TYPE being TEXT(n), INT, LONG, DOUBLE or MONEY for the kinds `create` knows.
QString columnHeader(const jet::Field &field);
QString valueText(const MixedValue &value, std::int16_t fieldType);
// A date's serial number (days since 1899-12-30, time of day as the fraction) as text.
QString dateText(double serial);
// An amount with exactly four decimals, from its count of ten-thousandths.
QString amountText(Currency amount);

}  // namespace catalogue
