// fiche-catalogue create OUT.mdb IN.tsv: a catalogue from tab-separated text.

#include "CommandArguments.h"
#include "Commands.h"

#include "CatalogueWriter.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// The text must be UTF-8; on a bad byte, say on which line, since the message about the
// content will name lines too.
QString readUtf8File(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CatalogueError(QStringLiteral("impossible de lire « %1 » : %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(bytes);
    if (!decoder.hasError())
        return text;
    int lineNumber = 0;
    for (const QByteArray &line : bytes.split('\n')) {
        ++lineNumber;
        QStringDecoder lineDecoder(QStringDecoder::Utf8);
        (void)lineDecoder(line);
        if (lineDecoder.hasError())
            break;
    }
    throw CatalogueError(QStringLiteral("« %1 », ligne %2 : ce n'est pas du texte UTF-8").arg(path).arg(lineNumber));
}

}  // namespace

int runCreate(const QStringList &arguments)
{
    CommandArguments args(arguments);
    WriterOptions options;
    if (const auto table = args.takeValue(QStringLiteral("--table")))
        options.table = *table;
    options.index = !args.takeFlag(QStringLiteral("--no-index"));
    if (const auto rows = args.takeValue(QStringLiteral("--delete")))
        options.deletedRows = parseRowList(*rows, QStringLiteral("--delete"));
    if (const auto rows = args.takeValue(QStringLiteral("--move")))
        options.movedRows = parseRowList(*rows, QStringLiteral("--move"));
    const QStringList paths = args.positionals(2);

    createCatalogueFromTsv(readUtf8File(paths[1]), paths[0], options);
    return 0;
}
