#include "OpenFiles.h"

#include "DatabaseFile.h"

#include <QFileInfo>
#include <map>
#include <mutex>
#include <optional>
#include <sys/stat.h>

namespace jet {

namespace {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modifiedNs = 0;
    bool operator==(const FileIdentity &) const = default;
};

std::optional<FileIdentity> identify(const QString &canonicalPath)
{
    struct stat status {};
    if (canonicalPath.isEmpty() || ::stat(canonicalPath.toLocal8Bit().constData(), &status) != 0)
        return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino, status.st_size,
                        std::int64_t(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
}

struct OpenFile {
    FileIdentity identity;
    std::weak_ptr<DatabaseFile> file;
};

std::mutex registryMutex;
std::map<QString, OpenFile> registry;   // by canonical path

}  // namespace

std::shared_ptr<DatabaseFile> openDatabaseFile(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const std::optional<FileIdentity> before = identify(canonical);
    const std::lock_guard lock(registryMutex);
    std::erase_if(registry, [](const auto &entry) { return entry.second.file.expired(); });
    if (before) {
        const auto found = registry.find(canonical);
        if (found != registry.end() && found->second.identity == *before) {
            if (std::shared_ptr<DatabaseFile> open = found->second.file.lock())
                return open;
        }
    }
    // Fails with the engine's error naming the cause (missing file, not a database…).
    auto file = std::make_shared<DatabaseFile>(path);
    // Remembered only when the file did not change while it was being opened.
    if (before && identify(canonical) == before)
        registry[canonical] = {*before, file};
    return file;
}

}  // namespace jet
