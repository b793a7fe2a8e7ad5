#include "CatalogueWarmUp.h"

CatalogueWarmUp::CatalogueWarmUp(const QString &catalogueFile) : m_ahead(catalogueFile)
{
    Module1::PrepareForAnotherThread();
    m_thread = std::thread([this] { read(); });
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

void CatalogueWarmUp::read() noexcept
{
    // Form_Load's opens, in its order; only what the engine keeps for the next opens helps.
    try {
        m_ahead.OpenProductDatabase();
        m_ahead.OpenProductTable();
        m_listing = m_ahead.OpenListing();
        m_ahead.SetLookUpIndex();
    } catch (...) {
        // Whatever failed fails again, and is reported, when the load handler opens it.
    }
}
