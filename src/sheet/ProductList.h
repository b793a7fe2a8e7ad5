#pragma once
// The catalogue's products as the listing lists them, read when they are needed: a sheet of
// 1 000 000 listed lines keeps no text of its own for them.

#include "LineRules.h"

#include <cstdint>
#include <utility>

class ProductList {
public:
    virtual ~ProductList() = default;

    virtual std::uint32_t count() const = 0;
    // The product at `index` in the listing's order.
    virtual ProductValues product(std::uint32_t index) const = 0;
    // Its quantity and sale price alone, what its line total is made of.
    virtual std::pair<MixedValue, MixedValue> quantityAndPrice(std::uint32_t index) const = 0;
};
