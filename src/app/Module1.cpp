#include "Module1.h"

#include "CataloguePath.h"
#include "ErrorMode.h"

namespace {

// The engine's own words, with the file named when they do not name it already.
RuntimeError namingTheFile(const RuntimeError &failure, const QString &file)
{
    if (failure.description().contains(file))
        return failure;
    return RuntimeError(failure.kind(), failure.number(),
                        QStringLiteral("%1\nFichier : %2").arg(failure.description(), file));
}

}  // namespace

QString defaultDatabaseFile()
{
    return localCataloguePath(FixedDatabasePath);
}

QString catalogueFileOf(const QString &given)
{
    return given.isEmpty() ? defaultDatabaseFile() : given;
}

Module1::Module1(const QString &databaseFile) : m_databaseFile(catalogueFileOf(databaseFile))
{}

void Module1::OpenProductDatabase()
{
    const ResumeNext onError;
    m_openFailure.reset();
    m_watch.emplace(m_databaseFile);
    onError.step([&] {
        try {
            m_productDatabase = jet::DBEngine::OpenDatabase(m_databaseFile);
        } catch (const RuntimeError &failure) {
            m_openFailure = namingTheFile(failure, m_databaseFile);
            throw;
        }
    });
}

jet::Database &Module1::OpenedProductDatabase()
{
    if (m_openFailure)
        throw *m_openFailure;
    if (!m_productDatabase)
        throw RuntimeError::objectNotSet();
    return *m_productDatabase;
}

void Module1::OpenProductTable()
{
    m_productTable = OpenedProductDatabase().OpenRecordset(ProductTableName);
}

jet::Recordset &Module1::ProductTable()
{
    if (!m_productTable)
        throw RuntimeError::objectNotSet();
    return *m_productTable;
}

const std::vector<jet::LeftOutRow> &Module1::leftOutProducts() const
{
    static const std::vector<jet::LeftOutRow> none;
    return m_productTable ? m_productTable->LeftOutRows() : none;
}

void Module1::refreshProductTable()
{
    if (!m_productTable || !m_watch)
        return;
    if (std::optional<CatalogueWatch::Reread> now = m_watch->reread()) {
        m_productTable = std::move(now->table);
        m_productDatabase = std::move(now->database);
    }
}
