#include "CatalogueWarmUp.h"

#include "Module1.h"

CatalogueWarmUp::CatalogueWarmUp(const QString &catalogueFile)
{
    jet::DBEngine::PrepareEnvironment();  // here, before another thread may read it
    m_thread = std::thread([this, catalogueFile] { read(catalogueFile); });
}

CatalogueWarmUp::~CatalogueWarmUp()
{
    finish();
}

void CatalogueWarmUp::finish()
{
    if (m_thread.joinable())
        m_thread.join();
}

void CatalogueWarmUp::read(const QString &catalogueFile) noexcept
{
    try {
        m_database = jet::DBEngine::OpenDatabase(catalogueFile);
        m_table = m_database->OpenRecordset(ProductTableName);
        m_listing = m_database->OpenRecordset(ListingQuery);
        m_table->setIndex(LookUpIndex);
    } catch (...) {
        // Whatever failed fails again, and is reported, when the load handler opens it.
    }
}
