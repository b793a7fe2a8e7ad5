#include "ObjectNames.h"

namespace jetwriter {

namespace {

constexpr int MaxNameLength = 64;
const QString ForbiddenCharacters = QStringLiteral(".!`[]");

}  // namespace

QString objectNameProblem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("nom vide");
    if (name.size() > MaxNameLength)
        return QStringLiteral("le nom « %1 » dépasse %2 caractères").arg(name).arg(MaxNameLength);
    if (name.front().isSpace())
        return QStringLiteral("le nom « %1 » commence par une espace").arg(name);
    for (QChar c : name) {
        if (c.unicode() < 0x20)
            return QStringLiteral("le nom « %1 » contient un caractère de contrôle").arg(name);
        if (ForbiddenCharacters.contains(c))
            return QStringLiteral("le nom « %1 » contient « %2 », interdit dans un nom (%3)")
                .arg(name, c, ForbiddenCharacters);
    }
    return {};
}

QString tableNameProblem(const QString &name)
{
    QString problem = objectNameProblem(name);
    if (!problem.isEmpty())
        return problem;
    if (name.startsWith(QStringLiteral("MSys"), Qt::CaseInsensitive))
        return QStringLiteral("le nom « %1 » est réservé aux tables du moteur (préfixe MSys)").arg(name);
    return {};
}

}  // namespace jetwriter
