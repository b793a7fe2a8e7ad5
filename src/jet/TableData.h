#pragma once
// One table's rows, decoded once and kept column by column (ColumnValues.h). Record sets
// share it; the first open of a file decodes it, a second open of the same unchanged file
// reuses it. Built by the loader, read-only afterwards but for the caches (sort orders
// and seek indexes), which are built on first use under a lock: once loaded, a table may
// be read from any thread.

#include "ColumnValues.h"
#include "Jet.h"
#include "MixedValue.h"
#include "TableDefinition.h"

#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace jet {

class SeekIndex;

struct ColumnInfo {
    QString name;
    ColumnType type = ColumnType::Text;
    int size = 0;  // as stored: bytes (text: the most characters, see TableData::maxChars)
};

class TableData {
public:
    TableData(const TableDefinition &definition, bool jet3, std::size_t fileSize);
    ~TableData();

    const QString &name() const { return m_name; }
    std::uint32_t rowCount() const { return m_rowCount; }
    int columnCount() const { return int(m_columns.size()); }
    const ColumnInfo &column(int position) const { return m_info[std::size_t(position)]; }
    // Text columns: the most characters a value may hold, as the definition says.
    int maxChars(int position) const;
    const ColumnValues &values(int position) const { return m_columns[std::size_t(position)]; }
    const std::vector<IndexDefinition> &indexes() const { return m_indexes; }
    // The rows that could not be decoded, in stored order (see LeftOutRow in Jet.h).
    const std::vector<LeftOutRow> &leftOutRows() const { return m_leftOut; }

    // The value as the engine's fields give it (see storageOf and valueOf).
    MixedValue value(std::uint32_t row, int position) const;
    bool isNull(std::uint32_t row, int position) const { return values(position).isNull(row); }
    // A query's rows come in their sort order, scattered over the table's memory: a record
    // set walking them asks for the rows it will read next.
    void prefetch(std::uint32_t row) const
    {
        for (const ColumnValues &values : m_columns)
            values.prefetch(row);
    }

    // Rows in the order of one column (stored order among equal values), built once.
    std::shared_ptr<const std::vector<std::uint32_t>> orderBy(int position, bool descending) const;
    // The look-up structure of one index, built once.
    std::shared_ptr<const SeekIndex> seekIndex(const IndexDefinition &index) const;

    // Loading.
    ColumnValues &loadingColumn(int position) { return m_columns[std::size_t(position)]; }
    void rowLoaded() { ++m_rowCount; }
    // The row being loaded cannot be decoded after all: the values it gave so far go.
    void discardLoadingRow();
    // Rows loaded earlier (ascending) turn out to be damaged: they go, the others move up.
    void discardRows(const std::vector<std::uint32_t> &rows);
    // Every row is read: what remains of the rows that could not be is `leftOut`.
    void finishLoading(std::vector<LeftOutRow> leftOut);

private:
    QString m_name;
    bool m_jet3;
    std::vector<ColumnInfo> m_info;
    std::vector<ColumnValues> m_columns;
    std::vector<IndexDefinition> m_indexes;
    std::uint32_t m_rowCount = 0;
    std::vector<LeftOutRow> m_leftOut;

    mutable std::mutex m_cacheMutex;
    mutable std::map<std::pair<int, bool>, std::shared_ptr<const std::vector<std::uint32_t>>> m_orders;
    mutable std::map<QString, std::shared_ptr<const SeekIndex>> m_seekIndexes;
};

}  // namespace jet
