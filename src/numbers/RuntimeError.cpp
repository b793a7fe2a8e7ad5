#include "RuntimeError.h"

RuntimeError::RuntimeError(ErrorKind kind, int number, const QString &description)
    : std::runtime_error(description.toStdString()), m_kind(kind), m_number(number),
      m_description(description)
{
}

// The numbers are the classic run-time error numbers that users of such programs
// quote to their support; the texts are the French ones they know.
RuntimeError RuntimeError::typeMismatch()
{
    return {ErrorKind::TypeMismatch, 13, QStringLiteral("Incompatibilité de type")};
}

RuntimeError RuntimeError::overflow()
{
    return {ErrorKind::Overflow, 6, QStringLiteral("Dépassement de capacité")};
}

RuntimeError RuntimeError::divisionByZero()
{
    return {ErrorKind::DivisionByZero, 11, QStringLiteral("Division par zéro")};
}

RuntimeError RuntimeError::invalidUseOfNull()
{
    return {ErrorKind::InvalidUseOfNull, 94, QStringLiteral("Utilisation incorrecte de Null")};
}

RuntimeError RuntimeError::objectNotSet()
{
    return {ErrorKind::ObjectNotSet, 91,
            QStringLiteral("Variable objet ou variable de bloc With non définie")};
}

RuntimeError RuntimeError::engine(int number, const QString &description)
{
    return {ErrorKind::Engine, number, description};
}
