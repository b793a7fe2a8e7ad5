#include "OpenFiles.h"

#include "DatabaseFile.h"
#include "FileIdentity.h"

#include <QFile>
#include <QFileInfo>
#include <map>
#include <mutex>

namespace jet {

namespace {

std::optional<FileIdentity> identify(const QString &canonicalPath)
{
    return identifyFile(QFile::encodeName(canonicalPath));
}

struct OpenFile {
    FileIdentity identity;
    std::weak_ptr<DatabaseFile> file;
};

std::mutex registryMutex;
std::map<QString, OpenFile> registry;  // by canonical path

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
