#pragma once
// The command line: --database FILE opens another catalogue than the fixed one (a demo,
// a copy); --help and --version print and leave.

#include <QStringList>

// True when the arguments only ask for text (help, version): then no display is needed.
bool asksOnlyForText(const QStringList &arguments);

// Reads the arguments of the running application and applies them. Prints and ends the
// process for --help, --version and arguments it does not know.
void applyCommandLine(const QStringList &arguments);
