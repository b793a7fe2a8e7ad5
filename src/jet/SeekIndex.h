#pragma once
// Finding a record by the key of an index, with "=": the first record, in stored order,
// whose key equals the one given. Built once per table and index: the rows grouped by the
// hash of their key (texts by GeneralSortOrder::equalityHash, so "x1" finds "X1"), in
// stored order within a group: a hash per distinct text and two passes over the rows,
// where a sort key per row took five times as long. A look-up hashes the key and compares
// it with the few rows of its group, microseconds on any table.
//
// The key is compared with the index's first column. A text key for a number column is
// read as a number ("12.5"), a number key for a text column as its plain digits.

#include "MixedValue.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace jet {

class TableData;

class SeekIndex {
public:
    SeekIndex(const TableData &table, int keyColumn);

    // Fails with a type mismatch when the key cannot be compared with the column.
    std::optional<std::uint32_t> find(const MixedValue &key) const;

private:
    std::optional<std::uint32_t> findText(const QString &key) const;
    std::optional<std::uint32_t> findNumber(double key) const;
    std::uint32_t groupOf(std::uint64_t hash) const { return std::uint32_t(hash >> m_shift); }
    // Groups the non-null rows by groupOfRow(row).
    template <class GroupOfRow>
    void groupRows(GroupOfRow groupOfRow);
    template <class Matches>
    std::optional<std::uint32_t> firstMatch(std::uint64_t hash, Matches matches) const;

    const TableData &m_table;
    int m_column;
    int m_shift;                               // a hash's group: its top bits
    std::vector<std::uint32_t> m_groupStarts;  // group g's rows: m_rows[start of g, start of g + 1)
    std::vector<std::uint32_t> m_rows;         // the non-null rows, group after group
};

}  // namespace jet
