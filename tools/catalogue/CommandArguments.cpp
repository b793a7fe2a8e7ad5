#include "CommandArguments.h"

#include <limits>

bool CommandArguments::takeFlag(const QString &option)
{
    return m_arguments.removeAll(option) > 0;
}

std::optional<QString> CommandArguments::takeValue(const QString &option)
{
    const qsizetype at = m_arguments.indexOf(option);
    if (at < 0)
        return std::nullopt;
    if (at + 1 >= m_arguments.size())
        throw UsageError(QStringLiteral("l'option %1 attend une valeur").arg(option));
    const QString value = m_arguments.at(at + 1);
    m_arguments.remove(at, 2);
    if (m_arguments.contains(option))
        throw UsageError(QStringLiteral("l'option %1 est donnée deux fois").arg(option));
    return value;
}

QStringList CommandArguments::positionals(int expectedCount) const
{
    for (const QString &argument : m_arguments)
        if (argument.startsWith(QStringLiteral("--")))
            throw UsageError(QStringLiteral("option inconnue « %1 »").arg(argument));
    if (m_arguments.size() != expectedCount)
        throw UsageError(QStringLiteral("%1 argument(s) au lieu de %2").arg(m_arguments.size()).arg(expectedCount));
    return m_arguments;
}

int parseBoundedInt(const QString &text, int minimum, int maximum, const QString &what)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < minimum || value > maximum)
        throw UsageError(
            QStringLiteral("%1 : « %2 » n'est pas un entier de %3 à %4").arg(what, text).arg(minimum).arg(maximum));
    return int(value);
}

QList<int> parseRowList(const QString &text, const QString &what)
{
    QList<int> rows;
    for (const QString &item : text.split(u','))
        rows.append(parseBoundedInt(item.trimmed(), 1, std::numeric_limits<int>::max(), what));
    return rows;
}
