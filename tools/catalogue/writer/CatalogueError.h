#pragma once
// A catalogue that cannot be written: bad input text or options, or a file that cannot be
// saved. The message is French and says where the fault is.

#include <QString>
#include <stdexcept>

class CatalogueError : public std::runtime_error {
public:
    explicit CatalogueError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}

    const QString &message() const { return m_message; }

private:
    QString m_message;
};
