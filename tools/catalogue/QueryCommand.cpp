// fiche-catalogue query FILE "SQL": the query's records, in the catalogue text format, as
// the program's engine gives them.

#include "CommandArguments.h"
#include "Commands.h"

#include "Jet.h"
#include "TableDump.h"

int runQuery(const QStringList &arguments)
{
    const QStringList positional = CommandArguments(arguments).positionals(2);
    const std::shared_ptr<jet::Database> database = jet::DBEngine::OpenDatabase(positional[0]);
    const std::unique_ptr<jet::Recordset> records = database->OpenRecordset(positional[1]);
    QTextStream out(stdout);
    catalogue::writeHeader(*records, out);
    catalogue::writeRecords(*records, out);
    return 0;
}
