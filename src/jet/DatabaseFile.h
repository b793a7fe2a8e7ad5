#pragma once
// One open database file: libmdb's handle, the file's catalog, and the tables decoded so
// far. Database handles on the same unchanged file share one (see OpenFiles.h), so a
// table is decoded once however many times the program opens the file.
//
// Handles in several threads may share it: the catalog is read once at construction, and
// a table is decoded under a lock, by the first thread that asks for it while any other
// waits for it, which also keeps libmdb's handle (one thread at a time) and the page
// buffers to one thread.

#include "Catalog.h"
#include "LibmdbFile.h"
#include "TextDecoding.h"

#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <mutex>

namespace jet {

class TableData;

class DatabaseFile {
public:
    explicit DatabaseFile(const QString &path);

    const QString &path() const { return m_file.path(); }
    // The table's rows, decoded on first use. Fails with "table not found".
    std::shared_ptr<const TableData> table(const QString &name);
    // Tables of the file that are not the engine's own, in catalog order.
    QStringList userTableNames() const;

private:
    const CatalogEntry &localTable(const QString &name) const;

    LibmdbFile m_file;
    TextDecoding m_text;
    std::vector<CatalogEntry> m_catalog;
    std::mutex m_tablesMutex;  // over m_tables, m_file and m_text once constructed
    std::map<std::uint32_t, std::shared_ptr<const TableData>> m_tables;  // by definition page
};

}  // namespace jet
