#pragma once
// The distinct texts of a column (DistinctTexts.h) ranked in the General sort order, for
// a query's "order by": each text's rank, from 1; equal texts (as the order compares them)
// have equal ranks.
//
// Through ICU's sort keys, a third of a microsecond per text; or, when the table of
// Latin-1 weights (Latin1Weights.h) covers every text of the column, as it does a French
// catalogue's, through keys made from it, a byte per primary weight, a few nanoseconds per
// text. The collator compares primary weights first: texts whose weights differ come in
// the order of their weights, and only texts with the same ones (the same letters, with
// other accents or case) are told apart by their ICU sort keys.

#include <cstdint>
#include <vector>

namespace jet {

class DistinctTexts;

std::vector<std::uint32_t> rankTexts(const DistinctTexts &texts);

}  // namespace jet
