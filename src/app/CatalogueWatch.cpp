#include "CatalogueWatch.h"

#include <QFile>

CatalogueWatch::CatalogueWatch(const QString &file)
    : m_nativePath(QFile::encodeName(file)), m_lastSeen(identifyFile(m_nativePath))
{}

bool CatalogueWatch::reread(const std::function<bool()> &readWhole)
{
    const std::optional<FileIdentity> now = identifyFile(m_nativePath);
    if (!now || now == m_lastSeen)
        return false;
    m_lastSeen = now;
    try {
        // Changed again while it was read: what was read may mix two versions. The next
        // look-up sees the new stamp and tries again.
        return readWhole() && identifyFile(m_nativePath) == now;
    } catch (...) {
        // Not readable as a catalogue yet, whatever the failure: a file caught half-written
        // may claim anything, memory beyond what there is too. The last good one stays in use.
        return false;
    }
}
