#pragma once
// Rows of the file that a pointer (page × 256 + row) reached, remembered while a table is
// read. The engine that writes a file points at a row from one place only: a moved row's
// new place from its old slot, a long value's row from the value. A row reached a second
// time, by a loop or from another place, is damage; read again, it would let a few bytes
// of the file stand for any number of rows or values.

#include <bitset>
#include <cstdint>
#include <unordered_map>

namespace jet {

class RowsInUse {
public:
    // False when the row was taken already.
    bool take(std::uint32_t pointer)
    {
        std::bitset<256> &rows = m_pages[pointer >> 8];
        const std::size_t row = pointer & 0xFF;
        if (rows.test(row))
            return false;
        rows.set(row);
        return true;
    }

private:
    std::unordered_map<std::uint32_t, std::bitset<256>> m_pages;  // by page: its rows taken
};

}  // namespace jet
