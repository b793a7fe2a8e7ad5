#include "CatalogueProducts.h"

ProductValues CatalogueProducts::product(std::uint32_t index) const
{
    m_listing->setAbsolutePosition(std::int32_t(index));
    const jet::Fields &field = m_listing->Fields();
    return {field[0].Value(), field[1].Value(), field[2].Value(), field[3].Value()};
}

std::pair<MixedValue, MixedValue> CatalogueProducts::quantityAndPrice(std::uint32_t index) const
{
    m_listing->setAbsolutePosition(std::int32_t(index));
    const jet::Fields &field = m_listing->Fields();
    return {field[2].Value(), field[3].Value()};
}
