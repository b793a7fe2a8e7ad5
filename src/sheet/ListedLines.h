#pragma once
// The lines the listing made, one per catalogue product in the listing's order. Their texts
// are the product's values as the listing writes them, figured when shown; once a cell edit
// has repriced the sheet, their totals are the recalculation's. A listed line that the user
// edits takes texts of its own (SheetLines.h), and so from the start does a product whose
// price cell the recalculation would write back otherwise.

#include "Currency.h"
#include "ProductList.h"
#include "RegionalSettings.h"

#include <QString>
#include <memory>
#include <optional>

class ListedLines {
public:
    ListedLines(std::shared_ptr<const ProductList> products, const RegionalSettings &rs);

    const ProductList &products() const { return *m_products; }
    const std::shared_ptr<const ProductList> &sharedProducts() const { return m_products; }
    // The settings the texts are figured under.
    const RegionalSettings &settings() const { return m_rs; }

    // The cell as the line shows it now.
    QString cell(std::uint32_t product, int column) const;

    bool repriced() const { return m_repriced; }
    // From now on the totals are the recalculation's; unreprice() takes that back.
    void reprice() { m_repriced = true; }
    void unreprice() { m_repriced = false; }

    // What the line's total cell reads back as (ReadLocaleCurrency of its text), in the
    // form it shows now; nothing when that text is not a number.
    std::optional<Currency> totalReadBack(std::uint32_t product) const;
    // What the recalculation adds to the grand total for this line; nothing beyond Currency.
    std::optional<Currency> recalculatedAmount(std::uint32_t product) const;

private:
    double recalculatedTotal(std::uint32_t product) const;

    std::shared_ptr<const ProductList> m_products;
    RegionalSettings m_rs;
    bool m_repriced = false;
};
