#pragma once
// Reads a command's arguments: options anywhere, the rest positional, every fault a
// UsageError with a French message.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

class CommandArguments {
public:
    explicit CommandArguments(QStringList arguments) : m_arguments(std::move(arguments)) {}

    bool takeFlag(const QString &option);
    std::optional<QString> takeValue(const QString &option);
    // What is left once every option was taken; fails on an unknown option or a wrong count.
    QStringList positionals(int expectedCount) const;

private:
    QStringList m_arguments;
};

// A whole number in [minimum, maximum]; `what` names it in the message.
int parseBoundedInt(const QString &text, int minimum, int maximum, const QString &what);
// "3,7,12": 1-based row numbers.
QList<int> parseRowList(const QString &text, const QString &what);
