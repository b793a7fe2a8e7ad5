#include "CatalogueWatch.h"

#include "Module1.h"

#include <QFile>
#include <exception>

CatalogueWatch::CatalogueWatch(const QString &file)
    : m_file(file), m_nativePath(QFile::encodeName(file)), m_lastSeen(identifyFile(m_nativePath))
{}

std::optional<CatalogueWatch::Reread> CatalogueWatch::reread()
{
    const std::optional<FileIdentity> now = identifyFile(m_nativePath);
    if (!now || now == m_lastSeen)
        return std::nullopt;
    m_lastSeen = now;
    try {
        Reread catalogue;
        catalogue.database = jet::DBEngine::OpenDatabase(m_file);
        catalogue.table = catalogue.database->OpenRecordset(ProductTableName);
        // Changed again while it was read: what was read may mix two versions. The next
        // look-up sees the new stamp and tries again. Rows that could not be read are a
        // file caught half-written too, as far as the look-up is concerned.
        if (identifyFile(m_nativePath) != now || !catalogue.table->LeftOutRows().empty())
            return std::nullopt;
        return catalogue;
    } catch (const std::exception &) {
        // Not readable as a catalogue yet, or too much for the memory left (the engine's
        // errors and std::bad_alloc alike): the last good one stays in use, and the user's
        // sheet with it.
        return std::nullopt;
    }
}
