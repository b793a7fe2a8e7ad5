#pragma once
// The listing's record set as the sheet reads its products: by their place in the listing's
// order, when a line is shown or counted.

#include "Jet.h"
#include "ProductList.h"

#include <memory>

class CatalogueProducts : public ProductList {
public:
    explicit CatalogueProducts(std::unique_ptr<jet::Recordset> listing) : m_listing(std::move(listing)) {}

    std::uint32_t count() const override { return std::uint32_t(m_listing->RecordCount()); }
    ProductValues product(std::uint32_t index) const override;
    std::pair<MixedValue, MixedValue> quantityAndPrice(std::uint32_t index) const override;

private:
    // Fields ref, desi, qté, prixvente, in the query's order; each read places the record set.
    std::unique_ptr<jet::Recordset> m_listing;
};
