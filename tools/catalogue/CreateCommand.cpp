// fiche-catalogue create OUT.mdb IN.tsv: a catalogue from tab-separated text.

#include "CommandArguments.h"
#include "Commands.h"

#include "CatalogueWriter.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// The text must be UTF-8; on a bad byte, say on which line, since the message about the
// content will name lines too. Valid UTF-8, and only that, decodes and encodes back to the
// same bytes (a byte order mark kept as a character, for the reader to skip).
bool isUtf8(const QByteArray &bytes, QString *text = nullptr)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString decoded = decoder(bytes);
    const bool valid = decoded.toUtf8() == bytes;
    if (text)
        *text = std::move(decoded);
    return valid;
}

QString readUtf8File(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CatalogueError(QStringLiteral("impossible de lire « %1 » : %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    QString text;
    if (isUtf8(bytes, &text))
        return text;
    int lineNumber = 0;
    for (const QByteArray &line : bytes.split('\n')) {
        ++lineNumber;
        if (!isUtf8(line))
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
