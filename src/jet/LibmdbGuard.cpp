#include "LibmdbGuard.h"

#include <QByteArray>

#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace jet {

void prepareLibmdbEnvironment()
{
    for (const char *unwanted : {"MDBPATH", "MDBOPTS", "MDB_JET3_CHARSET"}) {
        if (qEnvironmentVariableIsSet(unwanted))
            qunsetenv(unwanted);
    }
    if (qgetenv("MDBICONV") != "UTF-8")
        qputenv("MDBICONV", QByteArrayLiteral("UTF-8"));
}

namespace {

// See the header: the environment is ready before any thread but main's exists.
[[maybe_unused]] const bool preparedBeforeMain = (prepareLibmdbEnvironment(), true);

// Guards nest (opening a file reads its catalog): only the outermost one of a thread
// redirects, and a thread's guards hold the lock until its outermost one ends.
std::recursive_mutex guardMutex;
int guardDepth = 0;

}  // namespace

QuietLibmdb::QuietLibmdb()
{
    guardMutex.lock();
    if (guardDepth++ > 0)
        return;
    m_outermost = true;
    std::fflush(stdout);
    std::fflush(stderr);
    const int nullDevice = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nullDevice < 0)
        return;
    m_savedOut = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
    m_savedErr = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (m_savedOut >= 0)
        ::dup2(nullDevice, STDOUT_FILENO);
    if (m_savedErr >= 0)
        ::dup2(nullDevice, STDERR_FILENO);
    ::close(nullDevice);
}

QuietLibmdb::~QuietLibmdb()
{
    const std::lock_guard unlock(guardMutex, std::adopt_lock);
    --guardDepth;
    if (!m_outermost)
        return;
    // libmdb writes through stdio: what it buffered must go to /dev/null, not to the
    // terminal once the descriptors are back.
    std::fflush(stdout);
    std::fflush(stderr);
    if (m_savedOut >= 0) {
        ::dup2(m_savedOut, STDOUT_FILENO);
        ::close(m_savedOut);
    }
    if (m_savedErr >= 0) {
        ::dup2(m_savedErr, STDERR_FILENO);
        ::close(m_savedErr);
    }
}

}  // namespace jet
