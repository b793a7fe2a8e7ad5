#pragma once
// The command line: --database FILE, or FILE alone (as a file manager passes it), opens
// another catalogue than the fixed one (a demo, a copy); --quitter-apres-affichage, left out of the help, ends the run once the window
// shows its filled sheet (to time start-up); --help and --version print and leave.

#include <QStringList>
#include <optional>

// What the command line asks of this run.
struct RunOptions {
    QString databaseFile;  // empty: the fixed catalogue
    bool quitOnceShown = false;
};

// True when the arguments only ask for text (help, version): then no display is needed.
bool asksOnlyForText(const QStringList &arguments);

// Reads the arguments of the running application. Prints and ends the process for --help,
// --version and arguments it does not know.
RunOptions readCommandLine(const QStringList &arguments);

// The catalogue the arguments ask for (the fixed one when they name none), read before the
// application exists, so that reading it can start at once; nothing when they are not
// arguments readCommandLine would take. Prints nothing, ends nothing.
std::optional<QString> catalogueNamedBy(const QStringList &arguments);
