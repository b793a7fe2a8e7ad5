#pragma once
// Runs mdbtools' command-line readers on a file: an independent reader whose view of a
// catalogue the round-trip tests compare with what was written.

#include <QString>
#include <QStringList>

struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;

    bool succeededQuietly() const { return exitCode == 0 && err.isEmpty(); }
    QString describe() const;
};

ProgramRun runProgram(const QString &program, const QStringList &arguments, const QString &workingDirectory = {});

// What mdbtools says of a file. Each call fails the check in the caller through `run`.
struct MdbView {
    ProgramRun run;
    QStringList lines;
};

MdbView mdbTables(const QString &file);
// "name Type" per column in stored order, as mdb-schema's Access form writes them
// ("qté Integer", "ref Text (20)").
MdbView mdbSchemaColumns(const QString &file, const QString &table);
// "INDEX name (column)" per index, from mdb-schema's MySQL form (the only one that keeps
// the names as they are).
MdbView mdbIndexes(const QString &file);
// One line per row, fields separated by tabs, text escaped C-style (\t, \n, \\), null as
// NullMark. libmdb shows an empty text as null too. `options` go to mdb-export as they are
// (a date format, how binary data is shown).
MdbView mdbExport(const QString &file, const QString &table, const QStringList &options = {});

inline const QString NullMark = QStringLiteral("<nul>");
