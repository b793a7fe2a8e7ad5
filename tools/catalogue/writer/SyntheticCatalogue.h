#pragma once
// Products made up for benchmarks and large tests: distinct references, French designations
// with accents in mixed case, quantities 1 to 50, prices 0,50 to 5 000,00 with cents. The
// same count and seed always give the same products.

#include <QString>

namespace jetwriter {

constexpr int MaxSyntheticProducts = 1000000;

// As tab-separated catalogue text (columns ref, desi, qté, prixvente in that order).
// Throws CatalogueError for a count outside 0 … MaxSyntheticProducts.
QString syntheticProductsTsv(int count, quint32 seed);

}  // namespace jetwriter
