#pragma once
// The commands of fiche-catalogue. Adding one takes a file of its own defining its run
// function, its declaration below, and one entry in the table of Commands.cpp.

#include <QStringList>
#include <span>

struct Command {
    const char *name;
    const char *usage;    // what follows the name on the command line
    const char *summary;  // one line for --help, in French
    // Returns the exit status. Throws UsageError (CommandArguments.h) for wrong arguments and
    // std::exception with a French what() for anything else that fails.
    int (*run)(const QStringList &arguments);
};

std::span<const Command> commands();

int runCreate(const QStringList &arguments);
int runSynth(const QStringList &arguments);
int runDump(const QStringList &arguments);
int runQuery(const QStringList &arguments);
int runSeek(const QStringList &arguments);
int runCheck(const QStringList &arguments);
