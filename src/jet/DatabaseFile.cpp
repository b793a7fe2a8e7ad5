#include "DatabaseFile.h"

#include "EngineErrors.h"
#include "ObjectNames.h"
#include "TableData.h"
#include "TableDefinition.h"
#include "TableLoader.h"

namespace jet {

DatabaseFile::DatabaseFile(const QString &path)
    : m_file(path), m_text(m_file.isJet3(), m_file.codePage()), m_catalog(readCatalog(m_file, m_text))
{}

const CatalogEntry &DatabaseFile::localTable(const QString &name) const
{
    for (const CatalogEntry &entry : m_catalog) {
        if (!sameObjectName(entry.name, name))
            continue;
        if (entry.isLocalTable)
            return entry;
        if (entry.isLinkedTable)
            throw errors::notSupported(
                QStringLiteral("la table « %1 » est liée à une autre base de données").arg(entry.name));
    }
    throw errors::tableNotFound(name);
}

std::shared_ptr<const TableData> DatabaseFile::table(const QString &name)
{
    const CatalogEntry &entry = localTable(name);
    const std::lock_guard lock(m_tablesMutex);
    std::shared_ptr<const TableData> &table = m_tables[entry.definitionPage];
    if (!table) {
        const TableDefinition definition = readTableDefinition(m_file, entry.name, entry.definitionPage);
        table = loadTable(m_file, definition, m_text);
    }
    return table;
}

QStringList DatabaseFile::userTableNames() const
{
    QStringList names;
    for (const CatalogEntry &entry : m_catalog) {
        if (entry.isLocalTable && !entry.isSystem)
            names.append(entry.name);
    }
    return names;
}

}  // namespace jet
