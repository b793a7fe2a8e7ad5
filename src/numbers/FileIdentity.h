#pragma once
// What tells one state of a file on disk from another: a rewrite in place changes its
// size or times, a replacement its inode. Times to the nanosecond the file system keeps.

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <sys/types.h>

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;  // status change: also moves when the times are set back
    bool operator==(const FileIdentity &) const = default;
};

// One stat of the file (path in the system's encoding); nothing when it cannot be seen.
std::optional<FileIdentity> identifyFile(const QByteArray &nativePath);
