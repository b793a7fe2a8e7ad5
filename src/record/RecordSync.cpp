#include "RecordSync.h"

#include <unistd.h>

RecordSync::RecordSync(int file) : m_file(file), m_thread([this] { run(); })
{}

RecordSync::~RecordSync()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void RecordSync::written()
{
    {
        const std::lock_guard lock(m_mutex);
        m_pending = true;
    }
    m_wake.notify_one();
}

void RecordSync::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_pending || m_stopping; });
        if (m_stopping)
            return;
        m_pending = false;
        lock.unlock();
        ::fdatasync(m_file);  // what failed to reach the disk is the next write's to report
        lock.lock();
    }
}
