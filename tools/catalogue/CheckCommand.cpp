// fiche-catalogue check FILE: whether the file can serve as the program's catalogue, in
// French. Exit status 0 when it can, 1 when it cannot, 2 when the file cannot be read, 3
// when it can but rows of the table cannot be read (the program lists the others).

#include "CommandArguments.h"
#include "Commands.h"

#include "CatalogueCheck.h"

#include <QTextStream>

int runCheck(const QStringList &arguments)
{
    const QStringList positional = CommandArguments(arguments).positionals(1);
    const catalogue::CheckReport report = catalogue::checkCatalogue(positional[0]);
    QTextStream out(stdout);
    for (const QString &line : report.lines)
        out << line << '\n';
    return report.exitStatus();
}
