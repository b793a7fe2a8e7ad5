#pragma once
// The back office rewrites the catalogue during the day (new prices, new products): a
// look-up must find the products as the file holds them now, not as they were at start-up.
//
// Before each look-up, one stat of the file tells whether it changed since it was read
// (device, inode, size, modification and change times). When it did, the new file is read
// completely; only a catalogue that opens, whose product table decodes whole (no row left
// out), and that did not change while it was being read replaces the one in use. A file caught
// half-written fails to read and changes nothing: the last good catalogue stays in use,
// silently, and the file is tried again once it changes again.
//
// The reference list and the sheet keep what start-up listed: only look-ups follow.

#include "FileIdentity.h"

#include <QString>
#include <functional>
#include <optional>

class CatalogueWatch {
public:
    // Watches `file` from now on: called before the file is first read, so that a change
    // made during that read is seen at the next look-up.
    explicit CatalogueWatch(const QString &file);

    // When the file changed since it was last seen, reads it through `readWhole`, which
    // keeps what it read and says whether that is whole. True when it is, and the file did
    // not change meanwhile: what was read then replaces the catalogue in use. False
    // otherwise, and whatever fails while reading (memory too) is part of that answer.
    // Never fails.
    bool reread(const std::function<bool()> &readWhole);

private:
    QByteArray m_nativePath;  // encoded once: the check runs on every keystroke
    // Of the catalogue in use, or of the last file that failed to read.
    std::optional<FileIdentity> m_lastSeen;
};
