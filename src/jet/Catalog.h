#pragma once
// The objects a database file holds, from its system table MSysObjects (whose definition
// is always on page 2), read with the engine's own row walk: libmdb's catalog reader
// returns the rows of deleted objects too, and parses property blobs the engine does not
// need (printing on damaged ones).

#include <QString>
#include <cstdint>
#include <vector>

namespace jet {

class LibmdbFile;
class TextDecoding;

struct CatalogEntry {
    QString name;
    std::uint32_t definitionPage = 0;
    bool isLocalTable = false;   // a table whose rows are in this file
    bool isLinkedTable = false;  // a table of another database, reached through this one
    bool isSystem = false;       // the engine's own tables (MSys…)
};

// Fails with "not a database" when the catalog cannot be read.
std::vector<CatalogEntry> readCatalog(const LibmdbFile &file, const TextDecoding &text);

}  // namespace jet
