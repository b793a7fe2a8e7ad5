#pragma once
// Puts what was written to a record on the disk itself, from a thread of its own: a write
// reaches the kernel at once (SheetRecord), which a crash or a kill cannot undo; only a
// power cut can, and fdatasync guards against it at the cost of a wait on the disk, which
// the window never makes. After a power cut the record thus lacks at most the changes made
// since the last sync, a fraction of a second, and reads as the prefix it is.

#include <condition_variable>
#include <mutex>
#include <thread>

class RecordSync {
public:
    // Syncs `file` (a descriptor that outlives this object) when asked.
    explicit RecordSync(int file);
    ~RecordSync();
    RecordSync(const RecordSync &) = delete;
    RecordSync &operator=(const RecordSync &) = delete;

    // Something was written: sync soon. Never waits on the disk.
    void written();

private:
    void run();

    int m_file;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_pending = false;
    bool m_stopping = false;
    std::thread m_thread;
};
