#pragma once
// The rows of a table sorted on one column, for a query's "order by": texts in the General
// sort order, numbers by value; null before every value when ascending, after every value
// when descending (as the engine sorts them); rows with equal values stay in stored order.
// O(n log n), each row's sort key computed once.

#include <cstdint>
#include <vector>

namespace jet {

class TableData;

std::vector<std::uint32_t> sortedRows(const TableData &table, int position, bool descending);

}  // namespace jet
