#include "SheetFile.h"

#include "FileIdentity.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <cerrno>

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// What stands in the way, when the folder itself is missing or is not one.
QString missingFolderCause(const QString &folder)
{
    QFileInfo existing(folder);
    while (!existing.exists() && !existing.isRoot() && existing.absolutePath() != existing.absoluteFilePath())
        existing.setFile(existing.absolutePath());
    if (existing.exists() && !existing.isDir())
        return QStringLiteral("« %1 » est un fichier, pas un dossier").arg(shown(existing.absoluteFilePath()));
    return QStringLiteral("le dossier « %1 » n'existe pas").arg(shown(folder));
}

// The system's reasons a user meets, in French.
struct KnownCause {
    int systemError;
    const char16_t *text;
};
constexpr KnownCause KnownCauses[] = {
    {EROFS, u"le disque est en lecture seule"},
    {ENOSPC, u"le disque est plein"},
    {EDQUOT, u"votre quota de disque est atteint"},
    {ENAMETOOLONG, u"le nom du fichier est trop long"},
    {EFBIG, u"le fichier dépasse la taille que le disque admet"},
    {EIO, u"erreur d'entrée-sortie sur le disque"},
};

// Qt's own text for the reasons not listed.
QString systemCause(int systemError, const QString &folder, const QString &qtText)
{
    if (systemError == EACCES || systemError == EPERM)
        return QStringLiteral("accès refusé : le dossier « %1 » n'accepte pas d'écriture").arg(shown(folder));
    for (const KnownCause &known : KnownCauses) {
        if (known.systemError == systemError)
            return QString::fromUtf16(known.text);
    }
    return QStringLiteral("erreur du système (%1)").arg(qtText);
}

QString failureCause(const QString &target, int systemError, const QString &qtText)
{
    const QFileInfo info(target);
    if (info.isDir())
        return QStringLiteral("c'est le nom d'un dossier, pas d'un fichier");
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir())
        return missingFolderCause(folder);
    return systemCause(systemError, folder, qtText);
}

SheetFileOutcome refused(const QString &target, const QSaveFile &file, int systemError)
{
    return {SheetFileOutcome::Refused, QStringLiteral("La fiche n'a pas pu être enregistrée dans « %1 » : %2.")
                                           .arg(shown(target), failureCause(target, systemError, file.errorString()))};
}

}  // namespace

QString proposedSheetFile(const QDate &day, const QString &suffix)
{
    // Without a documents folder (a fresh account), the home folder rather than wherever
    // the program was started.
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!folder.exists())
        folder = QDir::home();
    return folder.filePath(QStringLiteral("fiche-%1.%2").arg(day.toString(QStringLiteral("yyyy-MM-dd")), suffix));
}

bool isCatalogueFile(const QString &target, const QString &catalogue)
{
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(catalogue).absoluteFilePath())
        return true;
    const auto targetIdentity = identifyFile(QFile::encodeName(target));
    const auto catalogueIdentity = identifyFile(QFile::encodeName(catalogue));
    return targetIdentity && catalogueIdentity && targetIdentity->device == catalogueIdentity->device &&
           targetIdentity->inode == catalogueIdentity->inode;
}

SheetFileOutcome writeSheetFile(const QString &target, const QString &catalogue,
                                const std::function<bool(QIODevice &file)> &write)
{
    if (isCatalogueFile(target, catalogue))
        return {SheetFileOutcome::Refused,
                QStringLiteral("« %1 » est le catalogue ouvert : la fiche ne peut pas y être enregistrée. "
                               "Choisissez un autre fichier.")
                    .arg(shown(target))};
    QSaveFile file(target);
    // errno is read at once after the call that failed, before anything else can change it.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return refused(target, file, errno);
    errno = 0;
    const bool whole = write(file);
    const int writeError = errno;
    if (!whole) {
        if (file.error() != QFileDevice::NoError)
            return refused(target, file, writeError);
        file.cancelWriting();
        return {SheetFileOutcome::Cancelled, {}};
    }
    errno = 0;
    if (!file.commit())
        return refused(target, file, errno);
    return {};
}
