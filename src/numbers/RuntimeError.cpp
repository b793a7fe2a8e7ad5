#include "RuntimeError.h"

RuntimeError::RuntimeError(ErrorKind kind, int number, const QString &description)
    : std::runtime_error(description.toStdString()), m_kind(kind), m_number(number), m_description(description)
{}

// The numbers are the classic run-time error numbers that users of such programs
// quote to their support; the texts are the French ones they know.
//
// The number rules raise these in loops over a whole sheet (an empty discount cell on
// every catalogue line): each is built once and copied, which shares its texts instead of
// converting and allocating them at every raise.
RuntimeError RuntimeError::typeMismatch()
{
    static const RuntimeError error{ErrorKind::TypeMismatch, 13, QStringLiteral("Incompatibilité de type")};
    return error;
}

RuntimeError RuntimeError::overflow()
{
    static const RuntimeError error{ErrorKind::Overflow, 6, QStringLiteral("Dépassement de capacité")};
    return error;
}

RuntimeError RuntimeError::divisionByZero()
{
    static const RuntimeError error{ErrorKind::DivisionByZero, 11, QStringLiteral("Division par zéro")};
    return error;
}

RuntimeError RuntimeError::invalidUseOfNull()
{
    static const RuntimeError error{ErrorKind::InvalidUseOfNull, 94, QStringLiteral("Utilisation incorrecte de Null")};
    return error;
}

RuntimeError RuntimeError::objectNotSet()
{
    return {ErrorKind::ObjectNotSet, 91, QStringLiteral("Variable objet ou variable de bloc With non définie")};
}

RuntimeError RuntimeError::engine(int number, const QString &description)
{
    return {ErrorKind::Engine, number, description};
}

RuntimeError RuntimeError::outOfMemory()
{
    static const RuntimeError error{ErrorKind::OutOfMemory, 7, QStringLiteral("Mémoire insuffisante")};
    return error;
}

RuntimeError RuntimeError::internal(const QString &description)
{
    return {ErrorKind::Internal, 51, QStringLiteral("Erreur interne : %1").arg(description)};
}
