// fiche-catalogue: writes catalogue files for tests, benchmarks and the demo (and, through
// further commands, reads them).

#include "CommandArguments.h"
#include "Commands.h"

#include <QCoreApplication>
#include <cstdio>
#include <exception>

namespace {

void printUsageLine(std::FILE *out, const Command &command)
{
    std::fprintf(out, "  fiche-catalogue %s %s\n", command.name, command.usage);
}

void printHelp(std::FILE *out)
{
    std::fputs("Usage :\n", out);
    for (const Command &command : commands()) {
        printUsageLine(out, command);
        std::fprintf(out, "      %s\n", command.summary);
    }
    std::fputs("  fiche-catalogue --help\n", out);
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : commands())
        if (name == QLatin1String(command.name))
            return &command;
    return nullptr;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    const bool askedForHelp = !arguments.isEmpty() && (arguments[0] == u"--help" || arguments[0] == u"-h");
    if (arguments.isEmpty() || askedForHelp) {
        printHelp(askedForHelp ? stdout : stderr);
        return askedForHelp ? 0 : 2;
    }
    const Command *command = findCommand(arguments[0]);
    if (!command) {
        std::fprintf(stderr, "fiche-catalogue : commande inconnue « %s »\n", qPrintable(arguments[0]));
        printHelp(stderr);
        return 2;
    }
    const QStringList commandArguments = arguments.mid(1);
    if (commandArguments.contains(u"--help")) {
        std::fputs("Usage :\n", stdout);
        printUsageLine(stdout, *command);
        return 0;
    }
    try {
        return command->run(commandArguments);
    } catch (const UsageError &error) {
        std::fprintf(stderr, "fiche-catalogue %s : %s\nUsage :\n", command->name, error.what());
        printUsageLine(stderr, *command);
        return 2;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "fiche-catalogue %s : %s\n", command->name, error.what());
        return 1;
    }
}
