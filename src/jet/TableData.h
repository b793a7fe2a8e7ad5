#pragma once
// One table's rows, decoded once and kept column by column: a number costs 8 bytes, a
// text is kept as the very string a field read returns (shared, never copied again, so
// that reading a text field costs no allocation), and a bit says whether a value is null.
// Record sets share it; the first open of a file decodes it, a second open of the same
// unchanged file reuses it. Built by the loader, read-only afterwards but for the caches
// (sort orders and seek indexes), which are built on first use.

#include "ColumnType.h"
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

// How a column's values are kept.
enum class Storage {
    Integer,  // booleans (−1 true, 0 false), byte, integer, long, currency, complex, big int
    Real,     // single (widened exactly), double, date/time, decimal
    Text,     // text, memo, and the kinds shown as text: binary and OLE (hex), GUID
};
Storage storageOf(ColumnType type);

class ColumnValues {
public:
    explicit ColumnValues(Storage storage) : m_storage(storage) {}

    Storage storage() const { return m_storage; }
    bool isNull(std::uint32_t row) const { return !m_present[row]; }
    std::int64_t integer(std::uint32_t row) const { return m_numbers[row]; }
    double real(std::uint32_t row) const;
    const QString &text(std::uint32_t row) const { return m_texts[row]; }
    // Asks the processor for a row's value ahead of its read: first where the value is kept,
    // then, once that is at hand, a text's characters.
    void prefetchSlot(std::uint32_t row) const
    {
        __builtin_prefetch(m_storage == Storage::Text ? static_cast<const void *>(&m_texts[row]) : &m_numbers[row]);
    }
    void prefetchCharacters(std::uint32_t row) const
    {
        if (m_storage == Storage::Text)
            __builtin_prefetch(m_texts[row].constData());
    }

    // Room for `rows` values before loading.
    void reserve(std::size_t rows);
    std::size_t size() const { return m_present.size(); }
    void appendNull();
    void appendInteger(std::int64_t value);
    void appendReal(double value);
    void appendText(QString value);
    void removeLast();

private:
    Storage m_storage;
    std::vector<bool> m_present;
    std::vector<std::int64_t> m_numbers;  // Integer and Real (bit pattern) storage
    std::vector<QString> m_texts;         // Text storage
};

class TableData {
public:
    TableData(const TableDefinition &definition, bool jet3);
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
    // A query's rows come in their sort order, scattered over the table's memory: a record
    // set walking them asks for the rows it will read next (see ColumnValues::prefetchSlot).
    void prefetchSlots(std::uint32_t row) const
    {
        for (const ColumnValues &values : m_columns)
            values.prefetchSlot(row);
    }
    void prefetchCharacters(std::uint32_t row) const
    {
        for (const ColumnValues &values : m_columns)
            values.prefetchCharacters(row);
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
    void setLeftOutRows(std::vector<LeftOutRow> rows) { m_leftOut = std::move(rows); }

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
