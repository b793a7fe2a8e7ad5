#include "Jet.h"

#include "DatabaseFile.h"
#include "EngineErrors.h"
#include "LibmdbGuard.h"
#include "ObjectNames.h"
#include "OpenFiles.h"
#include "QueryParser.h"
#include "RecordsetState.h"

#include <numeric>

namespace jet {

namespace {

int fieldOf(const TableData &table, const FieldReference &field)
{
    if (!field.table.isEmpty() && !sameObjectName(field.table, table.name()))
        throw errors::unknownField(field.asWritten, table.name());
    for (int column = 0; column < table.columnCount(); ++column) {
        if (sameObjectName(table.column(column).name, field.name))
            return column;
    }
    throw errors::unknownField(field.asWritten, table.name());
}

}  // namespace

std::shared_ptr<Database> DBEngine::OpenDatabase(const QString &path)
{
    return std::shared_ptr<Database>(new Database(path, openDatabaseFile(path)));
}

void DBEngine::PrepareEnvironment()
{
    prepareLibmdbEnvironment();
}

Database::Database(const QString &name, std::shared_ptr<DatabaseFile> file) : m_name(name), m_file(std::move(file))
{}

Database::~Database() = default;

QString Database::Name() const
{
    return m_name;
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString &nameOrQuery)
{
    std::unique_ptr<Recordset> recordset(new Recordset());
    Recordset::State &state = *recordset->m_state;
    if (isQueryText(nameOrQuery)) {
        const SelectQuery query = parseSelectQuery(nameOrQuery);
        state.table = m_file->table(query.table);
        for (const FieldReference &field : query.fields)
            state.columns.push_back(fieldOf(*state.table, field));
        if (query.orderBy)
            state.order = state.table->orderBy(fieldOf(*state.table, *query.orderBy), query.descending);
    } else {
        state.table = m_file->table(nameOrQuery);
        state.columns.resize(std::size_t(state.table->columnCount()));
        std::iota(state.columns.begin(), state.columns.end(), 0);
        state.tableType = true;
    }
    // Both kinds open on their first record, when there is one.
    state.moveTo(0);
    return recordset;
}

QStringList Database::TableNames() const
{
    return m_file->userTableNames();
}

std::vector<IndexDescription> Database::TableIndexes(const QString &table) const
{
    const std::shared_ptr<const TableData> data = m_file->table(table);
    std::vector<IndexDescription> indexes;
    for (const IndexDefinition &index : data->indexes()) {
        IndexDescription description{index.name, {}, index.unique, index.primary};
        for (const int column : index.keyColumns)
            description.fields.append(data->column(column).name);
        indexes.push_back(std::move(description));
    }
    return indexes;
}

}  // namespace jet
