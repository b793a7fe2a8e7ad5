#include "ListedLines.h"

#include "ErrorMode.h"
#include "NumberRules.h"
#include "SheetColumns.h"

ListedLines::ListedLines(std::shared_ptr<const ProductList> products, const RegionalSettings &rs)
    : m_products(std::move(products)), m_rs(rs)
{}

QString ListedLines::cell(std::uint32_t product, int column) const
{
    // The recalculation rewrites the price cell as it reads: the listing's text stays.
    if (m_repriced && column == SheetColumn::LineTotal)
        return FormatAmount(recalculatedTotal(product), m_rs);
    return listedCell(column, m_products->product(product), m_rs);
}

double ListedLines::recalculatedTotal(std::uint32_t product) const
{
    const auto [quantity, price] = m_products->quantityAndPrice(product);
    return recalculatedListedTotal(quantity, price, m_rs);
}

std::optional<Currency> ListedLines::totalReadBack(std::uint32_t product) const
{
    // A repriced total is the nearest double to an amount to the cent: the reader takes its
    // text back, as ToCurrency takes the double, to the amount seen at fifteen digits.
    if (m_repriced)
        return recalculatedAmount(product);
    // A total that cannot be figured is shown empty, and an empty cell reads back as nothing.
    return unlessItFails([&] {
        const auto [quantity, price] = m_products->quantityAndPrice(product);
        return AmountReadBack(listedLineTotal(quantity, price, m_rs), m_rs);
    });
}

std::optional<Currency> ListedLines::recalculatedAmount(std::uint32_t product) const
{
    const auto [quantity, price] = m_products->quantityAndPrice(product);
    return recalculatedListedAmount(quantity, price, m_rs);
}
