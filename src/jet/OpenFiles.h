#pragma once
// The database files open in this process, so that a second open of the same unchanged
// file reuses the first (and what it decoded) instead of reading the file again. A file
// is the same when its canonical path and its identity on disk (FileIdentity.h: device,
// inode, size, modification and change times) are: a file changed or replaced on disk
// since is opened afresh, while handles on the old one keep reading what they read.
// Entries do not keep files open: when the last handle goes, the next open reads the file
// again. Threads may open files at the same time: one opens, under a lock, what another
// then reuses.

#include <QString>
#include <memory>

namespace jet {

class DatabaseFile;

std::shared_ptr<DatabaseFile> openDatabaseFile(const QString &path);

}  // namespace jet
