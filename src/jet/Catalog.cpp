#include "Catalog.h"

#include "EngineErrors.h"
#include "LibmdbFile.h"
#include "TableData.h"
#include "TableDefinition.h"
#include "TableLoader.h"

namespace jet {

namespace {

constexpr std::uint32_t CatalogPage = 2;
constexpr int LocalTable = 1;
constexpr int LinkedTable = 6;
constexpr int AnotherLinkedTable = 4;  // linked through ODBC
// Flags of the engine's own tables, and of hidden ones.
constexpr std::uint32_t SystemFlags = 0x80000002u;

}  // namespace

std::vector<CatalogEntry> readCatalog(const LibmdbFile &file, const TextDecoding &text)
{
    std::shared_ptr<TableData> objects;
    int id = -1, name = -1, type = -1, flags = -1;
    try {
        const TableDefinition definition = readTableDefinition(file, QStringLiteral("MSysObjects"), CatalogPage);
        id = definition.columnPosition(QStringLiteral("Id"));
        name = definition.columnPosition(QStringLiteral("Name"));
        type = definition.columnPosition(QStringLiteral("Type"));
        flags = definition.columnPosition(QStringLiteral("Flags"));
        const auto storedAs = [&](int column, Storage storage) {
            return column >= 0 && storageOf(definition.columns[std::size_t(column)].type) == storage;
        };
        if (!storedAs(id, Storage::Integer) || !storedAs(name, Storage::Text) || !storedAs(type, Storage::Integer) ||
            !storedAs(flags, Storage::Integer))
            throw errors::notADatabase(file.path(),
                                       QStringLiteral("le catalogue des objets n'a pas les colonnes attendues"));
        objects = loadColumns(file, definition, text, {id, name, type, flags});
        // A table whose object row is left out would pass for missing: the catalog is whole
        // or the file is refused.
        if (!objects->leftOutRows().empty()) {
            const LeftOutRow &first = objects->leftOutRows().front();
            throw errors::notADatabase(file.path(),
                                       QStringLiteral("le catalogue des objets est illisible : sa ligne %1 (page %2)")
                                           .arg(first.position)
                                           .arg(first.page));
        }
    } catch (const RuntimeError &error) {
        if (error.number() == 3343)
            throw;
        throw errors::notADatabase(
            file.path(), QStringLiteral("le catalogue des objets est illisible : %1").arg(error.description()));
    }

    std::vector<CatalogEntry> entries;
    for (std::uint32_t row = 0; row < objects->rowCount(); ++row) {
        if (objects->values(name).isNull(row) || objects->values(id).isNull(row) || objects->values(type).isNull(row))
            continue;
        const int objectType = int(objects->values(type).integer(row) & 0x7F);
        const auto objectFlags = std::uint32_t(objects->values(flags).integer(row));
        CatalogEntry entry;
        entry.name = objects->values(name).text(row);
        entry.definitionPage = std::uint32_t(objects->values(id).integer(row)) & 0x00FFFFFF;
        entry.isLocalTable = objectType == LocalTable;
        entry.isLinkedTable = objectType == LinkedTable || objectType == AnotherLinkedTable;
        entry.isSystem = (objectFlags & SystemFlags) != 0;
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace jet
