#pragma once
// Our own stand-in for the catalogue engine's object interface, over mdbtools' libmdb.
// Only reading: the file is opened read-only and nothing is ever written to it.
// Every failure is a RuntimeError (kind Engine, with a number and a French text),
// raised out of the call.
//
// Threads: a Database or a Recordset is used by one thread at a time, and handed from one
// thread to another only through a synchronisation (the thread that used it joined, a
// queued signal…). Threads may each open the same file at the same time: they share what
// is decoded from it (a table, a sort order, a look-up index is built once, by the first
// thread that asks for it while the others wait for it) and read the same values. Opening
// a file silences the process's standard output and error for a few milliseconds (libmdb
// prints on them): what another thread prints meanwhile is lost.

#include "MixedValue.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

namespace jet {

class DatabaseFile;  // one open file and the tables decoded from it

// A row of a table that could not be decoded because its bytes contradict each other (a
// power cut during a write leaves such rows), or a whole data page of the table that is
// not what the table's map of pages says. It is left out; every other row is read as
// usual. Nothing of it is guessed: only where it was is known.
struct LeftOutRow {
    // Where it stands in the table's stored order, from 1, counting the rows left out too
    // (a page left out whole counts as one): the 16 104th row of the table is 16104.
    std::uint32_t position = 0;
    std::uint32_t page = 0;  // the data page that holds it
    int slot = -1;           // its row slot on that page, from 0; −1: the whole page
};

class Field {
public:
    Field(const class Recordset *owner, std::int16_t position) : m_owner(owner), m_position(position) {}
    // The value in the current record; fails with "no current record" when there is none.
    MixedValue Value() const;
    // Whether that value is null, without building it; fails as Value() does.
    bool IsNull() const;
    QString Name() const;
    // The column's type as the file stores it (codes of ColumnType.h: 10 text, 5 currency…)
    // and its size: the most characters for text, bytes for the others.
    std::int16_t Type() const;
    std::int32_t Size() const;

private:
    const class Recordset *m_owner;
    std::int16_t m_position;
};

class Fields {
public:
    explicit Fields(const class Recordset *owner) : m_owner(owner) {}
    Field operator[](std::int16_t position) const;  // fails when out of range
    std::int16_t Count() const;

private:
    const class Recordset *m_owner;
};

class Recordset {
public:
    virtual ~Recordset();

    void MoveFirst();  // fails on an empty record set
    void MoveNext();   // fails when already past the last record
    // `EOF` is a C library macro, hence the spelling.
    bool Eof() const;
    std::int32_t RecordCount() const;
    // The current record's place in the record set's order, from 0; −1 when there is none.
    std::int32_t AbsolutePosition() const;
    // Makes the record at `position` current; fails when there is none there.
    void setAbsolutePosition(std::int32_t position);
    const jet::Fields &Fields() const { return m_fields; }
    // The rows of the record set's table that were left out, in stored order; empty when
    // every row was read. The same list for every record set on the table: a query's
    // record set gives its table's.
    const std::vector<LeftOutRow> &LeftOutRows() const;

    // Table-type record sets only.
    void setIndex(const QString &indexName);
    QString Index() const;
    // Comparison "=" and one key: the first record whose key equals `key` (compared as the
    // General sort order compares: letters without regard to case) becomes current;
    // otherwise there is no current record and NoMatch() is true.
    void Seek(const QString &comparison, const MixedValue &key);
    bool NoMatch() const;

    // Internal: the value at (current record, position); used by Field.
    MixedValue valueAt(std::int16_t position) const;
    bool isNullAt(std::int16_t position) const;
    QString nameAt(std::int16_t position) const;
    std::int16_t typeAt(std::int16_t position) const;
    std::int32_t sizeAt(std::int16_t position) const;
    std::int16_t fieldCount() const;

protected:
    Recordset();

private:
    friend class Database;
    struct State;
    int columnAt(std::int16_t position) const;  // the table column behind a field

    std::unique_ptr<State> m_state;
    jet::Fields m_fields{this};
};

// An index of a table, as the catalogue tool reports it.
struct IndexDescription {
    QString name;
    QStringList fields;  // key fields, first one first
    bool unique = false;
    bool primary = false;
};

class Database {
public:
    ~Database();
    // A table name gives a table-type record set in stored order; query text gives the
    // query's result, positioned on its first record when there is one.
    std::unique_ptr<Recordset> OpenRecordset(const QString &nameOrQuery);
    QString Name() const;

    // The file's own tables (not the engine's system tables), in the file's order.
    QStringList TableNames() const;
    std::vector<IndexDescription> TableIndexes(const QString &table) const;

private:
    friend class DBEngine;
    Database(const QString &name, std::shared_ptr<DatabaseFile> file);
    QString m_name;                        // the path as given to OpenDatabase
    std::shared_ptr<DatabaseFile> m_file;  // shared by every handle on the same unchanged file
};

class DBEngine {
public:
    // Opens the file shared and, at the file level, read-only.
    static std::shared_ptr<Database> OpenDatabase(const QString &path);
    // Sets what the process environment says to libmdb as the engine needs it, whatever the
    // user's environment held. The first open does it; a program whose first open runs on a
    // thread of its own does it first, while no other thread reads the environment.
    static void PrepareEnvironment();
};

}  // namespace jet
