#pragma once
// Every error the catalogue engine raises, with its number and its French text, in one
// place: callers show the text to the user as it is, so it names the file, table, index or
// query word at fault.

#include "RuntimeError.h"

#include <QString>

namespace jet::errors {

// Opening a file.
RuntimeError fileNotFound(const QString &path);                         // 3024
RuntimeError isADirectory(const QString &path);                         // 3044
RuntimeError accessDenied(const QString &path);                         // 3051
RuntimeError notADatabase(const QString &path, const QString &reason);  // 3343
RuntimeError readFailure(const QString &path, const QString &reason);   // 3043
RuntimeError damaged(const QString &path, const QString &where);        // 3049

// Objects of the file.
RuntimeError tableNotFound(const QString &table);  // 3078
RuntimeError indexNotFound(const QString &index);  // 3800

// Record sets.
RuntimeError noCurrentRecord();                     // 3021
RuntimeError itemNotInCollection();                 // 3265
RuntimeError noCurrentIndex();                      // 3019
RuntimeError notSupported(const QString &what);     // 3251
RuntimeError invalidArgument(const QString &what);  // 3001
RuntimeError dataTypeMismatch(const QString &key);  // 3464

// Queries.
RuntimeError unsupportedQuery(const QString &what);                     // 3251
RuntimeError selectSyntax(const QString &detail);                       // 3141
RuntimeError fromSyntax(const QString &detail);                         // 3131
RuntimeError orderBySyntax(const QString &detail);                      // 3138
RuntimeError unknownField(const QString &field, const QString &table);  // 3061

}  // namespace jet::errors
