// fiche-catalogue seek FILE TABLE INDEX KEY: the record the program's look-up finds for
// KEY through the index (exit status 0), or a clear "not found" (exit status 1).

#include "CommandArguments.h"
#include "Commands.h"

#include "Jet.h"
#include "TableDump.h"

int runSeek(const QStringList &arguments)
{
    const QStringList positional = CommandArguments(arguments).positionals(4);
    const QString &table = positional[1];
    const QString &index = positional[2];
    const QString &key = positional[3];
    const std::shared_ptr<jet::Database> database = jet::DBEngine::OpenDatabase(positional[0]);
    const std::unique_ptr<jet::Recordset> records = database->OpenRecordset(table);
    records->setIndex(index);
    records->Seek(QStringLiteral("="), MixedValue(key));
    QTextStream out(stdout);
    if (records->NoMatch()) {
        out << QStringLiteral("Introuvable : aucun enregistrement de « %1 » n'a la clé « %2 » dans l'index « %3 ».\n")
                   .arg(table, key, records->Index());
        return 1;
    }
    catalogue::writeHeader(*records, out);
    catalogue::writeCurrentRecord(*records, out);
    return 0;
}
