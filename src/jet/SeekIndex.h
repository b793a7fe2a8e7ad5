#pragma once
// Finding a record by the key of an index, with "=": the first record, in stored order,
// whose key equals the one given. Built once per table and index: every row's key hashed
// (texts through their General sort order key, so "x1" finds "X1"), sorted; a look-up is
// one key computed, a binary search and a comparison, microseconds on any table.
//
// The key is compared with the index's first column. A text key for a number column is
// read as a number ("12.5"), a number key for a text column as its plain digits.

#include "MixedValue.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace jet {

class TableData;

class SeekIndex {
public:
    SeekIndex(const TableData &table, int keyColumn);

    // Fails with a type mismatch when the key cannot be compared with the column.
    std::optional<std::uint32_t> find(const MixedValue &key) const;

private:
    struct Entry {
        std::uint64_t hash;
        std::uint32_t row;
        auto operator<=>(const Entry &) const = default;
    };
    std::optional<std::uint32_t> findText(const QString &key) const;
    std::optional<std::uint32_t> findNumber(double key) const;
    template <class Matches>
    std::optional<std::uint32_t> firstMatch(std::uint64_t hash, Matches matches) const;

    const TableData &m_table;
    int m_column;
    std::vector<Entry> m_entries;  // non-null rows, sorted by hash then row
};

}  // namespace jet
