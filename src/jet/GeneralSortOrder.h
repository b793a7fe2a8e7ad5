#pragma once
// The text comparison of the catalogue's "General" sort order: French collation, letters
// compared without regard to case but with regard to accents ("agrafeuse" < "Bloc-notes",
// "x1" = "X1", "e" < "é"). One comparison serves both the query's sort and the look-up
// through an index, so that a key the look-up finds equal also sorts as equal.
//
// It is ICU's collator at secondary strength (FrenchCollator.h), used through its sort
// keys: byte strings that compare with memcmp exactly as the collator compares the texts.
// Two texts are equal for the engine exactly when their sort keys are equal bytes.
//
// Every function here may be called from several threads at once.

#include <QStringView>
#include <cstdint>
#include <string>

namespace jet::GeneralSortOrder {

// Appends the sort key of `text` to `keys`.
void appendSortKey(QStringView text, std::string &keys);
std::string sortKey(QStringView text);

// A hash under this order's equality: texts the order calls equal have equal hashes, so
// that a hash finds the few texts a comparison of sort keys then confirms. It is a hash of
// the collator's primary weights (the letters, digits and signs, what the collator looks
// at first), a tenth of the cost of a sort key for texts below U+0100.
std::uint64_t equalityHash(QStringView text);

}  // namespace jet::GeneralSortOrder
