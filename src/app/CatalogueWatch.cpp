#include "CatalogueWatch.h"

#include "FileIdentity.h"
#include "Module1.h"
#include "RuntimeError.h"

#include <QFile>
#include <optional>

namespace CatalogueWatch {

namespace {

struct Watched {
    QString file;
    QByteArray nativePath;  // encoded once: the check runs on every keystroke
    // Of the catalogue in use, or of the last file that failed to read.
    std::optional<jet::FileIdentity> lastSeen;
};

Watched &watched()
{
    static Watched state;
    return state;
}

}  // namespace

void watch(const QString &file)
{
    Watched &state = watched();
    state.file = file;
    state.nativePath = QFile::encodeName(file);
    state.lastSeen = jet::identifyFile(state.nativePath);
}

void refreshProductTable()
{
    Watched &state = watched();
    if (!Module1::ProductTable || state.file.isEmpty())
        return;
    const std::optional<jet::FileIdentity> now = jet::identifyFile(state.nativePath);
    if (!now || now == state.lastSeen)
        return;
    state.lastSeen = now;
    try {
        std::shared_ptr<jet::Database> database = jet::DBEngine::OpenDatabase(state.file);
        std::unique_ptr<jet::Recordset> table = database->OpenRecordset(QStringLiteral("Produit"));
        // Changed again while it was read: what was read may mix two versions. The next
        // look-up sees the new stamp and tries again.
        if (jet::identifyFile(state.nativePath) != now)
            return;
        Module1::ProductTable = std::move(table);
        Module1::ProductDatabase = std::move(database);
    } catch (const RuntimeError &) {
        // Not readable as a catalogue yet: the last good one stays in use.
    }
}

}  // namespace CatalogueWatch
