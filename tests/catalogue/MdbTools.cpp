#include "MdbTools.h"

#include <QProcess>
#include <QRegularExpression>

QString ProgramRun::describe() const
{
    return QStringLiteral("code %1, stderr: %2").arg(exitCode).arg(err.left(2000));
}

ProgramRun runProgram(const QString &program, const QStringList &arguments, const QString &workingDirectory)
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MDBICONV"), QStringLiteral("UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        run.err = QStringLiteral("%1 did not finish: %2").arg(program, process.errorString());
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

namespace {

QStringList nonEmptyLines(const QString &text)
{
    return text.split(u'\n', Qt::SkipEmptyParts);
}

}  // namespace

MdbView mdbTables(const QString &file)
{
    MdbView view{runProgram(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), file}), {}};
    view.lines = nonEmptyLines(view.run.out);
    return view;
}

MdbView mdbSchemaColumns(const QString &file, const QString &table)
{
    MdbView view{runProgram(QStringLiteral("mdb-schema"), {QStringLiteral("-T"), table, file}), {}};
    // Column lines look like: <tab>[qté]<tabs>Integer,
    static const QRegularExpression column(QStringLiteral("^\\t\\[(.*)\\]\\t+(.*?),?\\s*$"));
    for (const QString &line : view.run.out.split(u'\n')) {
        const QRegularExpressionMatch match = column.match(line);
        if (match.hasMatch())
            view.lines.append(match.captured(1) + u' ' + match.captured(2));
    }
    return view;
}

MdbView mdbIndexes(const QString &file)
{
    MdbView view{
        runProgram(QStringLiteral("mdb-schema"),
                   {QStringLiteral("--indexes"), QStringLiteral("--no-relations"), file, QStringLiteral("mysql")}),
        {}};
    static const QRegularExpression index(QStringLiteral("ADD INDEX `(.*)` \\(`(.*)`\\)"));
    for (const QString &line : view.run.out.split(u'\n')) {
        const QRegularExpressionMatch match = index.match(line);
        if (match.hasMatch())
            view.lines.append(QStringLiteral("INDEX %1 (%2)").arg(match.captured(1), match.captured(2)));
    }
    return view;
}

MdbView mdbExport(const QString &file, const QString &table, const QStringList &options)
{
    MdbView view{runProgram(QStringLiteral("mdb-export"),
                            QStringList{QStringLiteral("-H"), QStringLiteral("-Q"), QStringLiteral("-e"),
                                        QStringLiteral("-d"), QStringLiteral("\t"), QStringLiteral("-0"), NullMark} +
                                options + QStringList{file, table}),
                 {}};
    view.lines = nonEmptyLines(view.run.out);
    return view;
}
