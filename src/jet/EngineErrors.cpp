#include "EngineErrors.h"

// The numbers are those of the classic engine, which the shop's support people quote; the
// texts are French and name what is at fault, since the program shows them as they are.
namespace jet::errors {

namespace {

QString quoted(const QString &name)
{
    return QStringLiteral("« %1 »").arg(name);
}

// The family of queries the engine answers, said the same way in every query error.
const QString SupportedQueries = QStringLiteral("seules les requêtes de la forme « select champ, champ… from table "
                                                "[order by champ asc|desc] » sont acceptées");

}  // namespace

RuntimeError fileNotFound(const QString &path)
{
    return RuntimeError::engine(3024, QStringLiteral("Fichier introuvable : %1").arg(quoted(path)));
}

RuntimeError isADirectory(const QString &path)
{
    return RuntimeError::engine(
        3044, QStringLiteral("%1 est un dossier, pas un fichier de base de données").arg(quoted(path)));
}

RuntimeError accessDenied(const QString &path)
{
    return RuntimeError::engine(
        3051, QStringLiteral("Impossible d'ouvrir le fichier %1 : lecture non autorisée").arg(quoted(path)));
}

RuntimeError notADatabase(const QString &path, const QString &reason)
{
    return RuntimeError::engine(
        3343, QStringLiteral("Format de base de données non reconnu : %1 (%2)").arg(quoted(path), reason));
}

RuntimeError readFailure(const QString &path, const QString &reason)
{
    return RuntimeError::engine(
        3043, QStringLiteral("Erreur de disque en lisant le fichier %1 : %2").arg(quoted(path), reason));
}

RuntimeError damaged(const QString &path, const QString &where)
{
    return RuntimeError::engine(3049, QStringLiteral("Le fichier %1 est endommagé : %2").arg(quoted(path), where));
}

RuntimeError tableNotFound(const QString &table)
{
    return RuntimeError::engine(
        3078, QStringLiteral("Le moteur de base de données ne trouve pas la table %1").arg(quoted(table)));
}

RuntimeError indexNotFound(const QString &index)
{
    return RuntimeError::engine(3800, QStringLiteral("%1 n'est pas un index de cette table").arg(quoted(index)));
}

RuntimeError noCurrentRecord()
{
    return RuntimeError::engine(3021, QStringLiteral("Aucun enregistrement en cours."));
}

RuntimeError itemNotInCollection()
{
    return RuntimeError::engine(3265, QStringLiteral("Élément non trouvé dans cette collection."));
}

RuntimeError noCurrentIndex()
{
    return RuntimeError::engine(3019, QStringLiteral("Opération incorrecte sans index en cours."));
}

RuntimeError notSupported(const QString &what)
{
    return RuntimeError::engine(3251,
                                QStringLiteral("Opération non prise en charge pour ce type d'objet : %1").arg(what));
}

RuntimeError invalidArgument(const QString &what)
{
    return RuntimeError::engine(3001, QStringLiteral("Argument incorrect : %1").arg(what));
}

RuntimeError dataTypeMismatch(const QString &key)
{
    return RuntimeError::engine(
        3464, QStringLiteral("Type de données incompatible dans l'expression du critère : %1 n'est pas un nombre")
                  .arg(quoted(key)));
}

RuntimeError unsupportedQuery(const QString &what)
{
    return RuntimeError::engine(3251,
                                QStringLiteral("Requête non prise en charge : %1 ; %2").arg(what, SupportedQueries));
}

RuntimeError selectSyntax(const QString &detail)
{
    return RuntimeError::engine(
        3141, QStringLiteral("Erreur de syntaxe dans l'instruction SELECT : %1 ; %2").arg(detail, SupportedQueries));
}

RuntimeError fromSyntax(const QString &detail)
{
    return RuntimeError::engine(3131, QStringLiteral("Erreur de syntaxe dans la clause FROM : %1").arg(detail));
}

RuntimeError orderBySyntax(const QString &detail)
{
    return RuntimeError::engine(3138, QStringLiteral("Erreur de syntaxe dans la clause ORDER BY : %1").arg(detail));
}

RuntimeError unknownField(const QString &field, const QString &table)
{
    return RuntimeError::engine(3061, QStringLiteral("Trop peu de paramètres : %1 n'est pas un champ de la table %2")
                                          .arg(quoted(field), quoted(table)));
}

}  // namespace jet::errors
