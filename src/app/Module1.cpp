#include "Module1.h"

#include "CataloguePath.h"
#include "CatalogueRecords.h"
#include "CatalogueWatch.h"
#include "ErrorMode.h"
#include "LeftOutNotice.h"

namespace {

// The table of products and its index by reference.
const QString ProductTableName = QStringLiteral("Produit");
const QString LookUpIndex = QStringLiteral("XREF");
// The listing's one query: its fields named in ProductField's order.
const QString ListingQuery = QStringLiteral(
    "select Produit.ref,Produit.desi,Produit.qté,Produit.prixvente from Produit order by produit.desi asc");

// The engine's own words, with the file named when they do not name it already.
RuntimeError namingTheFile(const RuntimeError &failure, const QString &file)
{
    if (failure.description().contains(file))
        return failure;
    return RuntimeError(failure.kind(), failure.number(),
                        QStringLiteral("%1\nFichier : %2").arg(failure.description(), file));
}

std::unique_ptr<jet::Recordset> openProductTable(jet::Database &database)
{
    return database.OpenRecordset(ProductTableName);
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

struct Module1::Handles {
    std::shared_ptr<jet::Database> productDatabase;
    std::unique_ptr<jet::Recordset> productTable;
    std::optional<RuntimeError> openFailure;
    std::optional<CatalogueWatch> watch;

    jet::Database &openedProductDatabase() const
    {
        if (openFailure)
            throw *openFailure;
        if (!productDatabase)
            throw RuntimeError::objectNotSet();
        return *productDatabase;
    }

    jet::Recordset &table() const
    {
        if (!productTable)
            throw RuntimeError::objectNotSet();
        return *productTable;
    }
};

Module1::Module1(const QString &databaseFile)
    : m_databaseFile(catalogueFileOf(databaseFile)), m_handles(std::make_unique<Handles>())
{}

Module1::~Module1() = default;

void Module1::OpenProductDatabase()
{
    const ResumeNext onError;
    m_handles->openFailure.reset();
    m_handles->watch.emplace(m_databaseFile);
    onError.step([&] {
        try {
            m_handles->productDatabase = jet::DBEngine::OpenDatabase(m_databaseFile);
        } catch (const RuntimeError &failure) {
            m_handles->openFailure = namingTheFile(failure, m_databaseFile);
            throw;
        }
    });
}

void Module1::OpenProductTable()
{
    m_handles->productTable = openProductTable(m_handles->openedProductDatabase());
}

ProductReferences Module1::ReadProductReferences(const RegionalSettings &rs)
{
    const TableReferences references(m_handles->openedProductDatabase(), m_handles->table(), ProductTableName, rs);
    return {references.count(), references};
}

std::shared_ptr<const ProductList> Module1::OpenListing() const
{
    const std::shared_ptr<jet::Database> connection = jet::DBEngine::OpenDatabase(m_databaseFile);
    return std::make_shared<ListedProducts>(connection->OpenRecordset(ListingQuery));
}

void Module1::refreshProductTable()
{
    if (!m_handles->productTable || !m_handles->watch)
        return;
    std::shared_ptr<jet::Database> database;
    std::unique_ptr<jet::Recordset> table;
    const bool rewritten = m_handles->watch->reread([&] {
        database = jet::DBEngine::OpenDatabase(m_databaseFile);
        table = openProductTable(*database);
        // Rows that could not be read are a file caught half-written too, as far as the
        // look-up is concerned.
        return table->LeftOutRows().empty();
    });
    if (rewritten) {
        m_handles->productTable = std::move(table);
        m_handles->productDatabase = std::move(database);
    }
}

void Module1::SetLookUpIndex()
{
    m_handles->table().setIndex(LookUpIndex);
}

void Module1::SeekProduct(const QString &reference)
{
    m_handles->table().Seek(QStringLiteral("="), MixedValue(reference));
}

MixedValue Module1::ProductTableField(ProductField field) const
{
    return m_handles->table().Fields()[static_cast<std::int16_t>(field)].Value();
}

std::optional<QString> Module1::leftOutNotice() const
{
    // As start-up opened it: a rewritten catalogue with such rows never replaces it.
    if (!m_handles->productTable || m_handles->productTable->LeftOutRows().empty())
        return std::nullopt;
    return leftOutRowsNotice(m_handles->productTable->LeftOutRows());
}

void Module1::PrepareForAnotherThread()
{
    jet::DBEngine::PrepareEnvironment();
}
