#include "SheetOpening.h"

#include "CsvReader.h"
#include "FicheFormat.h"
#include "FicheReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {

QString openFailure(const QString &path, int systemError, const QString &qtText)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("le fichier n'existe pas");
    if (info.isDir())
        return QStringLiteral("c'est un dossier, pas un fichier");
    if (systemError == EACCES || systemError == EPERM)
        return QStringLiteral("accès refusé : vous n'avez pas le droit de lire ce fichier");
    return QStringLiteral("erreur du système (%1)").arg(qtText);
}

}  // namespace

SheetReading readSheetFile(const QString &path, const QStringList &titles, const RegionalSettings &rs,
                           const ExportProgress &progress)
{
    QFile file(path);
    errno = 0;
    SheetReading read;
    if (!file.open(QIODevice::ReadOnly) || QFileInfo(path).isDir())
        read = refused(openFailure(path, errno, file.errorString()));
    else if (looksLikeFiche(file.peek(qint64(sizeof FicheFormat::Signature))))
        read = readFiche(file, rs, progress);
    else
        read = readSheetCsv(file, titles, rs, progress);
    if (read.kind == SheetReading::Refused)
        read.message =
            QStringLiteral("« %1 » n'a pas pu être ouvert : %2.").arg(QDir::toNativeSeparators(path), read.message);
    return read;
}
