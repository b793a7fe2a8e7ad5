#pragma once
// Rows of the file that a pointer (page × 256 + row) reached while a table is read, and
// which of the table's rows reached each. The engine that writes a file points at a row
// from one place only: a moved row's new place from its old slot, a long value's rows from
// the value. A row reached a second time, by a loop or from another row of the table, is
// damage, and neither row that reached it can be trusted: which of them it belongs to is
// not known, and read for both, a few bytes of the file would stand for any number of rows
// or values. Both are left out: the one that reached it second at once, the first once
// every row is read (see TableLoader.cpp).

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace jet {

class RowsInUse {
public:
    // The table's row at `position` (in stored order, from 1) is read now: what is taken
    // from here on is taken for it.
    void startRow(std::uint32_t position);
    // False when the row was taken already, by this row (a loop) or by an earlier one,
    // which then counts among the sharers.
    bool take(std::uint32_t pointer);
    // Whether the row being read took any.
    bool rowTookAny() const { return m_tookAny; }
    // The positions of the rows that took a row which another row reached too, as met
    // (the same one perhaps several times).
    const std::vector<std::uint32_t> &sharers() const { return m_sharers; }

private:
    std::unordered_map<std::uint32_t, std::uint32_t> m_takenBy;  // by pointer: a row's position
    std::uint32_t m_position = 0;
    bool m_tookAny = false;
    std::vector<std::uint32_t> m_sharers;
};

}  // namespace jet
