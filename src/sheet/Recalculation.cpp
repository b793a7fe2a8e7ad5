// After the user edits a cell, every line is priced again from its quantity, price and
// discount cells, the way the entry fields price a line, and both counters are set
// afresh. A hand-typed line total is replaced; the other typed cells stay as typed.

#include "ErrorMode.h"
#include "Form2.h"
#include "LineGrid.h"

#include <QLabel>

namespace {

enum Column { Reference, Designation, Quantity, Price, Discount, LineTotal };

// One line's new total: a step that fails leaves its value at zero, so a line whose
// quantity or price is not a number totals zero, and an empty or unreadable discount
// counts as no discount.
double recomputedLineTotal(const QString &quantity, const QString &price, const QString &discountRate,
                           const RegionalSettings &rs)
{
    using namespace MixedArithmetic;
    const ResumeNext run;
    const MixedValue q(quantity), p(price), d(discountRate);
    MixedValue discount(std::int16_t{0});
    MixedValue net(std::int16_t{0});
    double lineTotal = 0;

    run.step([&] {
        const MixedValue hundred(std::int16_t{100});
        discount = ToCurrency(Divide(Multiply(Multiply(d, q, rs), p, rs), hundred, rs), rs);
    });
    run.step([&] { net = Subtract(ToCurrency(Multiply(q, p, rs), rs), discount, rs); });
    // Rounded to the cent exactly as the standard money form shows it.
    run.step([&] { lineTotal = ReadLocaleDouble(FormatStandard(ToCurrency(net, rs), rs), rs); });
    return lineTotal;
}

}  // namespace

void Form2::G_CellEdited()
{
    const RegionalSettings &rs = m_regional;
    const ResumeNext run;
    const QString zero = PlainNumberText(std::int16_t{0}, rs);
    run.step([&] { nbr->setText(zero); });
    run.step([&] { totaux->setText(zero); });

    std::int32_t rows = 1;
    run.step([&] { rows = ToInt32(MixedValue(G->RowCount()), rs); });
    if (rows <= 1)
        return;

    // The counters are kept here and written once at the end: writing the captions at
    // every line would repaint them a hundred thousand times on a big sheet.
    double lines = 0;
    Currency sum;
    const LineGrid::BulkChange bulk(*G);   // the view hears of the rewritten lines once
    for (std::int32_t row = 1; row < rows; ++row) {
        QStringList cells;
        run.step([&] {
            for (int column = Reference; column <= Discount; ++column)
                cells << G->CellText(row, column);
        });
        if (cells.size() == Discount + 1) {
            const double lineTotal = recomputedLineTotal(cells[Quantity], cells[Price], cells[Discount], rs);
            run.step([&] {
                cells[Price] = FormatAmount(cells[Price], rs);
                cells << FormatAmount(lineTotal, rs);
                G->setRowTexts(row, cells);   // never a CellEdited
            });
            run.step([&] { sum = sum + ToCurrency(lineTotal); });
        }
        run.step([&] { lines = CheckedDouble(lines + 1); });
    }
    run.step([&] { nbr->setText(PlainNumberText(lines, rs)); });
    run.step([&] { totaux->setText(FormatStandard(sum, rs)); });
}
