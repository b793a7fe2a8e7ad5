#pragma once
// The listed products as a recovery record holds them (RecordFormat.h): listed again from
// the record, they give the very lines the window showed, whatever the catalogue holds now.

#include "ProductList.h"

#include <vector>

class RecordedProducts : public ProductList {
public:
    explicit RecordedProducts(std::vector<ProductValues> products) : m_products(std::move(products)) {}

    std::uint32_t count() const override { return std::uint32_t(m_products.size()); }
    ProductValues product(std::uint32_t index) const override { return m_products[index]; }
    std::pair<MixedValue, MixedValue> quantityAndPrice(std::uint32_t index) const override
    {
        return {m_products[index].quantity, m_products[index].price};
    }

private:
    std::vector<ProductValues> m_products;
};
