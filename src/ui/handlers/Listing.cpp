// The sheet at start-up lists every product of the catalogue, sorted by designation and
// priced at its stored quantity and sale price, with the line count and the grand total;
// "Nouveau" clears it.
//
// The listing handles no failure: one leaves it (and start-up) with the lines listed so
// far. A product without quantity or price is a valid one: it is listed with an empty
// line total and adds nothing to the grand total.

#include "ErrorMode.h"
#include "Form2.h"
#include "LineGrid.h"
#include "SheetModel.h"

#include <QLabel>
#include <QScopeGuard>

void Form2::REMPLIR_Produit()
{
    NoHandling([&] {
        const QString zero = PlainNumberText(std::int16_t{0}, m_regional);
        G->setRowCount(1);
        nbr->setText(zero);
        totaux->setText(zero);

        // The lines keep the products, to read a product's values when its line is shown.
        const std::shared_ptr<const ProductList> products = m_module1.OpenListing();
        if (products->count() == 0)
            return;

        // The captions read, however the listing ends, what they would have read had each
        // line written them, without 100 000 label updates.
        ListingCounters counters(m_regional);
        const auto writeCounters = qScopeGuard([&] {
            if (const std::optional<QString> count = counters.countCaption())
                nbr->setText(*count);
            if (const std::optional<QString> sum = counters.sumCaption())
                totaux->setText(*sum);
        });
        G->sheet().appendListed(products, m_regional, counters);
    });
}

void Form2::Nouveau_Click()
{
    // Continues past a failing statement, and none of these can fail: one row always remains.
    const QString zero = PlainNumberText(std::int16_t{0}, m_regional);
    G->setRowCount(1);
    nbr->setText(zero);
    totaux->setText(zero);
}
