#include "Module1.h"

#include "CataloguePath.h"
#include "CatalogueWatch.h"
#include "ErrorMode.h"

#include <optional>

namespace Module1 {

namespace {

// Empty when none was given: the fixed path then.
QString &givenDatabaseFile()
{
    static QString file;
    return file;
}

std::optional<RuntimeError> &lastOpenFailure()
{
    static std::optional<RuntimeError> failure;
    return failure;
}

// The engine's own words, with the file named when they do not name it already.
RuntimeError namingTheFile(const RuntimeError &failure, const QString &file)
{
    if (failure.description().contains(file))
        return failure;
    return RuntimeError(failure.kind(), failure.number(),
                        QStringLiteral("%1\nFichier : %2").arg(failure.description(), file));
}

}  // namespace

QString DatabaseFile()
{
    const QString &given = givenDatabaseFile();
    return given.isEmpty() ? localCataloguePath(FixedDatabasePath) : given;
}

void setDatabaseFile(const QString &path)
{
    givenDatabaseFile() = path;
}

void OpenProductDatabase()
{
    const ResumeNext onError;
    lastOpenFailure().reset();
    QString file;
    onError.step([&] { file = DatabaseFile(); });
    CatalogueWatch::watch(file);
    onError.step([&] {
        try {
            ProductDatabase = jet::DBEngine::OpenDatabase(file);
        } catch (const RuntimeError &failure) {
            lastOpenFailure() = namingTheFile(failure, file);
            throw;
        }
    });
}

jet::Database &OpenedProductDatabase()
{
    if (lastOpenFailure())
        throw *lastOpenFailure();
    if (!ProductDatabase)
        throw RuntimeError::objectNotSet();
    return *ProductDatabase;
}

}  // namespace Module1
