#pragma once
// The back office rewrites the catalogue during the day (new prices, new products): a
// look-up must find the products as the file holds them now, not as they were at start-up.
//
// Before each look-up, one stat of the file tells whether it changed since it was read
// (device, inode, size, modification and change times). When it did, the new file is read
// completely; only a catalogue that opens, whose product table decodes whole, and that
// did not change while it was being read replaces ProductDatabase and ProductTable. A
// file caught half-written fails to read and changes nothing: the last good catalogue
// stays in use, silently, and the file is tried again once it changes again.
//
// The reference list and the sheet keep what start-up listed: only look-ups follow.

#include <QString>

namespace CatalogueWatch {

// The file ProductDatabase is about to be opened from; called before it is read, so that
// a change made during the read is seen at the next look-up.
void watch(const QString &file);

// Brings ProductTable up to date with the file, when the file changed and reads whole.
// Never fails.
void refreshProductTable();

}  // namespace CatalogueWatch
