// fiche-catalogue query FILE "SQL": the query's records, in the catalogue text format, as
// the program's engine gives them: without the rows of the table it had to leave out,
// which standard error names (exit status 3).

#include "CommandArguments.h"
#include "Commands.h"

#include "Jet.h"
#include "TableDump.h"

int runQuery(const QStringList &arguments)
{
    const QStringList positional = CommandArguments(arguments).positionals(2);
    const std::shared_ptr<jet::Database> database = jet::DBEngine::OpenDatabase(positional[0]);
    const std::unique_ptr<jet::Recordset> records = database->OpenRecordset(positional[1]);
    return catalogue::writeReadableRecords(*records, QStringLiteral("query"));
}
