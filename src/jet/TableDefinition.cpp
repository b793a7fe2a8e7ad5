#include "TableDefinition.h"

#include "Libmdb.h"
#include "LibmdbFile.h"
#include "LibmdbGuard.h"
#include "ObjectNames.h"
#include "PageRows.h"
#include "UsageMap.h"

#include <QtEndian>
#include <algorithm>
#include <memory>
#include <unordered_set>

namespace jet {

namespace {

constexpr unsigned char TableDefinitionPageKind = 0x02;
constexpr unsigned char ForeignKeyReference = 2;  // logical index with no key of its own
constexpr unsigned char PrimaryKeyIndex = 1;
constexpr unsigned char UniqueIndexFlag = 0x01;

std::uint32_t read32(const unsigned char *bytes)
{
    return qFromLittleEndian<quint32>(bytes);
}

class DefinitionCheck {
public:
    DefinitionCheck(const LibmdbFile &file, const QString &name, std::uint32_t page)
        : m_file(file), m_name(name), m_page(page)
    {}

    RuntimeError damaged(const QString &what) const
    {
        return m_file.damaged(
            QStringLiteral("définition de la table « %1 » (page %2) : %3").arg(m_name).arg(m_page).arg(what));
    }

    // The definition may continue on further pages, chained from byte 4 of each: libmdb
    // follows the chain without checking where it leads. A page met twice is a loop, found
    // there whatever the file's size.
    void checkPageChain() const
    {
        if (!m_file.isPage(m_page) || m_file.readSecondPage(m_page)[0] != TableDefinitionPageKind)
            throw damaged(QStringLiteral("ce n'est pas une page de définition de table"));
        std::unordered_set<std::uint32_t> chain{m_page};
        for (std::uint32_t next = read32(m_file.readSecondPage(m_page) + 4); next != 0;) {
            if (!chain.insert(next).second)
                throw damaged(QStringLiteral("la définition boucle sur elle-même"));
            const unsigned char *page = m_file.isPage(next) ? m_file.readSecondPage(next) : nullptr;
            if (!page || page[0] != TableDefinitionPageKind)
                throw damaged(QStringLiteral("la suite de la définition (page %1) est illisible").arg(next));
            next = read32(page + 4);
        }
    }

    // A page-row pointer (page × 256 + row) to a row libmdb will copy.
    void checkRowPointer(int offset, const QString &what) const
    {
        const std::uint32_t pointer = read32(m_file.readSecondPage(m_page) + offset);
        if (!m_file.isPage(pointer >> 8))
            throw damaged(QStringLiteral("%1 pointe au-delà de la fin du fichier, tronqué ou endommagé").arg(what));
    }

    // The usage map lists the data pages; a map of the second kind lists pages of bitmaps,
    // which libmdb reads without checking them.
    void checkUsageMap(const unsigned char *map, std::size_t size) const
    {
        if (!map || size < 5)
            throw damaged(QStringLiteral("la carte des pages de données est vide"));
        if (map[0] == 0)
            return;
        if (map[0] != 1)
            throw damaged(QStringLiteral("carte des pages de données de type %1 inconnu").arg(map[0]));
        for (std::size_t at = 1; at + 4 <= size; at += 4) {
            const std::uint32_t bitmapPage = read32(map + at);
            if (bitmapPage != 0 && !m_file.isPage(bitmapPage))
                throw damaged(QStringLiteral(
                    "la carte des pages de données pointe au-delà de la fin du fichier, tronqué ou endommagé"));
        }
    }

private:
    const LibmdbFile &m_file;
    const QString &m_name;
    std::uint32_t m_page;
};

// libmdb allocates and reads as many columns and indexes as the definition counts: a
// damaged count of billions keeps it busy for hours. Access allows a table 255 fields and
// 32 indexes (foreign keys add logical ones: the bound is generous).
bool plausibleCounts(const MdbTableDef &table)
{
    constexpr unsigned MaxColumns = 255;
    constexpr unsigned MaxIndexes = 255;
    return table.num_cols <= MaxColumns && table.num_idxs <= MaxIndexes && table.num_real_idxs <= MaxIndexes;
}

// The row count a definition states, never trusted beyond what the pages its map lists could
// hold (row pointers number a page's rows in one byte): it only sizes the first allocation,
// and a count of billions must not reserve gigabytes for a table of a few pages, however
// large the file. The pages are counted only as far as the stated count needs, and only
// those of the file (the walk refuses a table with others).
std::uint32_t atMostRowsOfListedPages(const LibmdbFile &file, const QByteArray &map, std::uint32_t stated)
{
    UsageMap listed(file, map);
    std::uint64_t room = 0;
    std::int32_t page = 0;
    while (room < stated) {
        const std::int32_t next = listed.nextAfter(std::uint32_t(page));
        if (next <= page || !file.isPage(std::uint32_t(next)))
            break;
        room += MostRowsPerPage;
        page = next;
    }
    return std::uint32_t(std::min<std::uint64_t>(stated, room));
}

struct TableDefFree {
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};

ColumnDefinition columnFrom(const MdbColumn &column)
{
    ColumnDefinition definition;
    definition.name = QString::fromUtf8(column.name);
    definition.type = ColumnType(column.col_type);
    definition.size = column.col_size;
    definition.number = column.col_num;
    definition.fixed = column.is_fixed != 0;
    definition.fixedOffset = column.fixed_offset;
    definition.varIndex = int(column.var_col_num);
    definition.scale = column.col_scale;
    return definition;
}

std::vector<IndexDefinition> indexesFrom(const MdbTableDef &table)
{
    std::vector<IndexDefinition> indexes;
    if (!table.indices)
        return indexes;
    for (guint i = 0; i < table.indices->len; ++i) {
        const auto *index = static_cast<const MdbIndex *>(g_ptr_array_index(table.indices, i));
        if (index->index_type == ForeignKeyReference || index->num_keys == 0)
            continue;
        IndexDefinition definition;
        definition.name = QString::fromUtf8(index->name);
        definition.unique = (index->flags & UniqueIndexFlag) != 0;
        definition.primary = index->index_type == PrimaryKeyIndex;
        for (unsigned k = 0; k < index->num_keys && k < MDB_MAX_IDX_COLS; ++k) {
            const int position = index->key_col_num[k] - 1;  // libmdb counts from 1
            if (position >= 0 && position < int(table.num_cols))
                definition.keyColumns.push_back(position);
        }
        if (!definition.keyColumns.empty())
            indexes.push_back(std::move(definition));
    }
    return indexes;
}

}  // namespace

int TableDefinition::columnPosition(const QString &columnName) const
{
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (sameObjectName(columns[i].name, columnName))
            return int(i);
    }
    return -1;
}

TableDefinition readTableDefinition(const LibmdbFile &file, const QString &name, std::uint32_t definitionPage)
{
    const DefinitionCheck check(file, name, definitionPage);
    check.checkPageChain();
    MdbHandle *mdb = file.handle().mdb;
    check.checkRowPointer(mdb->fmt->tab_usage_map_offset, QStringLiteral("la carte des pages de données"));
    check.checkRowPointer(mdb->fmt->tab_free_map_offset, QStringLiteral("la carte de l'espace libre"));

    MdbCatalogEntry entry{};
    entry.mdb = mdb;
    entry.object_type = MDB_TABLE;
    entry.table_pg = definitionPage;
    qstrncpy(entry.object_name, name.toUtf8().constData(), sizeof entry.object_name);

    std::unique_ptr<MdbTableDef, TableDefFree> table;
    bool columnsRead = false;
    {
        const QuietLibmdb quiet;
        table.reset(mdb_read_table(&entry));
        if (table && table->usage_map && table->map_sz >= 5 && plausibleCounts(*table)) {
            columnsRead = mdb_read_columns(table.get()) && table->columns->len == table->num_cols;
            // Right after the columns: libmdb resumes from the page where they ended.
            if (columnsRead)
                mdb_read_indices(table.get());
        }
    }
    if (!table)
        throw check.damaged(QStringLiteral("libmdb ne peut pas la lire"));
    check.checkUsageMap(table->usage_map, table->map_sz);
    if (!columnsRead)
        throw check.damaged(QStringLiteral("les colonnes sont illisibles"));

    TableDefinition definition;
    definition.name = name;
    definition.definitionPage = definitionPage;
    definition.hasVariableColumns = table->num_var_cols > 0;
    definition.usageMap = QByteArray(reinterpret_cast<const char *>(table->usage_map), qsizetype(table->map_sz));
    definition.rowCountHint = atMostRowsOfListedPages(file, definition.usageMap, table->num_rows);
    for (guint i = 0; i < table->columns->len; ++i) {
        ColumnDefinition column = columnFrom(*static_cast<const MdbColumn *>(g_ptr_array_index(table->columns, i)));
        if (column.fixed &&
            (column.size < 0 || column.fixedOffset < 0 || column.fixedOffset + column.size > file.pageSize()))
            throw check.damaged(QStringLiteral("la colonne « %1 » déborde de la page").arg(column.name));
        definition.columns.push_back(std::move(column));
    }
    definition.indexes = indexesFrom(*table);
    return definition;
}

}  // namespace jet
