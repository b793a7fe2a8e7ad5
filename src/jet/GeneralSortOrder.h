#pragma once
// The text comparison of the catalogue's "General" sort order: French collation, letters
// compared without regard to case but with regard to accents ("agrafeuse" < "Bloc-notes",
// "x1" = "X1", "e" < "é"). One comparison serves both the query's sort and the look-up
// through an index, so that a key the look-up finds equal also sorts as equal.
//
// It is ICU's collator at secondary strength, used through its sort keys: byte strings
// that compare with memcmp exactly as the collator compares the texts, computed once per
// row. Two texts are equal for the engine exactly when their sort keys are equal bytes.

#include <QStringView>
#include <string>

namespace jet::GeneralSortOrder {

// Appends the sort key of `text` to `keys`.
void appendSortKey(QStringView text, std::string &keys);
std::string sortKey(QStringView text);

}  // namespace jet::GeneralSortOrder
