#pragma once
// The names the engine accepts for tables and columns.

#include <QString>

namespace jetwriter {

// Empty when `name` is acceptable; otherwise what is wrong with it, in French.
QString objectNameProblem(const QString &name);

// The same, plus the prefix that the engine keeps for its own tables.
QString tableNameProblem(const QString &name);

}  // namespace jetwriter
