#pragma once
// Where the windows' recovery records live: one folder per window under
// $XDG_STATE_HOME/fiche-produit/ (~/.local/state/fiche-produit/ by default), named
// fiche-XXXXXX, holding its record (`journal`, RecordFormat.h), a lock (`verrou`) and, once
// its window was closed normally, a mark (`fermee`).
//
// The lock (flock, exclusive) is held by the window writing the record for as long as it
// runs, and by a window that found the record and may still give it back: a record whose
// lock another process holds is in use, and never offered. The kernel lets a lock go with
// its process, however it ends: a crashed window's record is free at once. A window's folder
// takes its name only once locked and started, so another never sees it half made.

#include "SheetRecordReader.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

// $XDG_STATE_HOME/fiche-produit, or ~/.local/state/fiche-produit.
QString recordsFolder();

// A record's folder and the lock held on it; the lock goes with the object.
class LockedRecord {
public:
    LockedRecord(QString folder, int lock) : m_folder(std::move(folder)), m_lock(lock) {}
    ~LockedRecord();
    LockedRecord(const LockedRecord &) = delete;
    LockedRecord &operator=(const LockedRecord &) = delete;

    const QString &folder() const { return m_folder; }
    QString journalPath() const;
    RecordReading read() const;
    // Its window's end counts as normal from now on.
    bool markClosed() const;
    void remove();

private:
    QString m_folder;
    int m_lock;
};

// This window's own record: its folder made, locked, its journal open for appending.
class OwnRecord {
public:
    // Nothing, with the reason in French, when the folder cannot be made or written.
    static std::unique_ptr<OwnRecord> create(const QString &records, QString &failure);
    ~OwnRecord();

    QFile &journal() { return m_journal; }
    const LockedRecord &files() const { return *m_locked; }
    // The record goes, its folder with it.
    void remove();

private:
    OwnRecord(std::unique_ptr<LockedRecord> locked);

    std::unique_ptr<LockedRecord> m_locked;
    QFile m_journal;
};

// The records of windows no longer running, as a window finds them when it starts.
struct PastRecords {
    // The most recent record whose window did not end normally and that holds a change.
    std::unique_ptr<LockedRecord> unclosed;
    RecordReading unclosedReading;
    // The most recent one whose window ended normally, unread.
    std::unique_ptr<LockedRecord> lastClosed;
};

// Looks through `records` (but `own`), locking those no running window holds. Older closed
// records, and unclosed ones without a change, are removed; older unclosed ones with changes
// are left for a later start.
PastRecords findPastRecords(const QString &records, const QString &own);
