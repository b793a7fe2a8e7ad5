#include "CataloguePath.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString driveRoot(QChar letter, const QString &prefix)
{
    const QChar drive = letter.toLower();
    if (drive == u'c')
        return prefix + QStringLiteral("/drive_c");
    return prefix + QStringLiteral("/dosdevices/") + drive + u':';
}

// The entry of `directory` named `name` without regard to case; the exact spelling wins,
// then the first in name order, so the choice never depends on the directory's order.
QString matchingEntry(const QString &directory, const QString &name)
{
    if (QFileInfo::exists(directory + u'/' + name))
        return name;
    const QStringList entries =
        QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}

}  // namespace

QString winePrefix()
{
    QString fromEnvironment = qEnvironmentVariable("WINEPREFIX");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QDir::homePath() + QStringLiteral("/.wine");
}

QString mapWindowsPath(const QString &windowsPath, const QString &prefix)
{
    static const QRegularExpression drivePath(QStringLiteral(R"(^([A-Za-z]):[\\/]*(.*)$)"));
    const QRegularExpressionMatch drive = drivePath.match(windowsPath);
    if (!drive.hasMatch())
        return windowsPath;

    QString path = driveRoot(drive.captured(1).front(), prefix);
    static const QRegularExpression separators(QStringLiteral(R"([\\/]+)"));
    for (const QString &component : drive.captured(2).split(separators, Qt::SkipEmptyParts))
        path += u'/' + matchingEntry(path, component);
    return QDir::cleanPath(path);
}

QString localCataloguePath(const QString &windowsPath)
{
#ifdef Q_OS_WIN
    return windowsPath;
#else
    return mapWindowsPath(windowsPath, winePrefix());
#endif
}
