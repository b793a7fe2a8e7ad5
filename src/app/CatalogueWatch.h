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
#include "Jet.h"

#include <QString>
#include <memory>
#include <optional>

class CatalogueWatch {
public:
    // The catalogue newly read from the file.
    struct Reread {
        std::shared_ptr<jet::Database> database;
        std::unique_ptr<jet::Recordset> table;
    };

    // Watches `file` from now on: called before the file is first read, so that a change
    // made during that read is seen at the next look-up.
    explicit CatalogueWatch(const QString &file);

    // The catalogue as the file now holds it, when the file changed since it was last seen
    // and reads whole; nothing otherwise. Never fails.
    std::optional<Reread> reread();

private:
    QString m_file;
    QByteArray m_nativePath;  // encoded once: the check runs on every keystroke
    // Of the catalogue in use, or of the last file that failed to read.
    std::optional<FileIdentity> m_lastSeen;
};
