#include "FileIdentity.h"

#include <sys/stat.h>

namespace {

std::int64_t nanoseconds(const timespec &time)
{
    return std::int64_t(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

std::optional<FileIdentity> identifyFile(const QByteArray &nativePath)
{
    struct stat status {};
    if (nativePath.isEmpty() || ::stat(nativePath.constData(), &status) != 0)
        return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino, status.st_size, nanoseconds(status.st_mtim),
                        nanoseconds(status.st_ctim)};
}
