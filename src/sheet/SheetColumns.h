#pragma once
// The sheet's columns, in the order of a line's cells. Grid rows count the header row
// (row 0); these are column numbers, the same in every row.

namespace SheetColumn {
enum : int { Reference, Designation, Quantity, Price, Discount, LineTotal };
}

inline constexpr int SheetColumnCount = 6;
