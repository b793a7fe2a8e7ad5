// fiche-catalogue dump FILE [TABLE]: the table in stored order, in the text format that
// `create` reads, as the program's engine reads it: without the rows it had to leave out,
// which standard error names (exit status 3).

#include "CommandArguments.h"
#include "Commands.h"

#include "Jet.h"
#include "TableDump.h"

int runDump(const QStringList &arguments)
{
    // The table is optional: the catalogue's own by default.
    const QStringList positional = CommandArguments(arguments).positionals(arguments.size() == 1 ? 1 : 2);
    const QString table = positional.size() == 2 ? positional[1] : QStringLiteral("Produit");
    const std::shared_ptr<jet::Database> database = jet::DBEngine::OpenDatabase(positional[0]);
    const std::unique_ptr<jet::Recordset> records = database->OpenRecordset(table);
    return catalogue::writeReadableRecords(*records, QStringLiteral("dump"));
}
