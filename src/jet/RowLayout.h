#pragma once
// Where each column's value lies in one row's bytes, in the two layouts:
//
//   Jet 4:  column count (2) | fixed area | variable data | variable offsets, stored
//           backwards (2 each, one more than the count) | variable count (2) | null mask
//   Jet 3:  the same with one-byte counts and offsets; offsets past 255 get their high
//           part from a table of "jumps" stored between the offsets and the count.
//
// The null mask has one bit per column number, set when the column has a value; a
// boolean's value is its bit. A row written before a column was added has fewer columns:
// the newer ones are null in it. Every offset is checked against the row's bounds (a
// damaged row gave libmdb negative lengths), and the null mask against the rest: the engine
// sets no bit past the row's columns, gives each variable column it marks as having a
// value an offset, and none it marks null any bytes.

#include "RowBytes.h"

#include <vector>

namespace jet {

struct TableDefinition;

struct FieldBytes {
    const unsigned char *data = nullptr;
    std::size_t size = 0;
    bool isNull = true;
    bool bit = false;  // booleans: the value
};

class RowLayout {
public:
    RowLayout(const TableDefinition &table, bool jet3);

    // Fills `fields` (one per column, in stored order); false when the row's own offsets or
    // its null mask contradict each other.
    bool split(RowBytes row, std::vector<FieldBytes> &fields) const;

private:
    struct VariableArea {
        std::vector<unsigned> offsets;  // count + 1 entries: starts, then the end
        std::size_t fixedStart = 0;     // where the fixed area begins
        std::size_t fixedEnd = 0;
    };
    // The variable columns' offsets (fixedStart set, offsets empty on entry).
    bool readJet4Offsets(RowBytes row, std::size_t maskSize, VariableArea &area) const;
    bool readJet3Offsets(RowBytes row, std::size_t maskSize, VariableArea &area) const;

    const TableDefinition &m_table;
    bool m_jet3;
    mutable VariableArea m_area;  // reused from row to row
};

}  // namespace jet
