#pragma once
// The failures of the program's rules and of the catalogue engine: raised out of the
// failing operation, never printed there. Each handler's error mode decides what the
// user sees (see ErrorMode.h).

#include <QString>
#include <stdexcept>

enum class ErrorKind {
    TypeMismatch,  // text that is not a number
    Overflow,      // out of range, or an invalid floating-point result
    DivisionByZero,
    InvalidUseOfNull,
    ObjectNotSet,  // a handle used before it was set
    Engine,        // the catalogue engine's own errors (src/jet)
    OutOfMemory,   // an allocation failed
    Internal,      // any other exception that reached the end of a handler
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorKind kind, int number, const QString &description);

    ErrorKind kind() const { return m_kind; }
    int number() const { return m_number; }
    // French, as shown to the user.
    const QString &description() const { return m_description; }

    static RuntimeError typeMismatch();
    static RuntimeError overflow();
    static RuntimeError divisionByZero();
    static RuntimeError invalidUseOfNull();
    static RuntimeError objectNotSet();
    static RuntimeError engine(int number, const QString &description);
    // Built before it is needed: raised when memory has run out, it must not allocate.
    static RuntimeError outOfMemory();
    static RuntimeError internal(const QString &description);

private:
    ErrorKind m_kind;
    int m_number;
    QString m_description;
};
