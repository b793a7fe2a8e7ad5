// After the user edits a cell, every line is priced again from its quantity, price and
// discount cells, the way the entry fields price a line, and both counters are set
// afresh. A hand-typed line total is replaced; the other typed cells stay as typed.

#include "ErrorMode.h"
#include "Form2.h"
#include "LineGrid.h"

#include <QLabel>

namespace {

enum Column { Reference, Designation, Quantity, Price, Discount, LineTotal };

// A cell's text as an operand. The arithmetic reads a text operand as ReadLocaleDouble
// does, every time it meets it: reading each cell once, up front, gives the very same
// results. A text that cannot be read stays a text, and fails wherever it is used.
MixedValue operandOf(const QString &text, const RegionalSettings &rs)
{
    if (const std::optional<double> value = TryReadLocaleDouble(text, rs))
        return *value;
    return text;
}

// One line's new total: a step that fails leaves its value at zero, so a line whose
// quantity or price is not a number totals zero, and an empty or unreadable discount
// counts as no discount. A step with an unreadable operand is known to fail and is not
// run: every catalogue line has an empty discount, and a failure costs far more than the
// step itself.
double recomputedLineTotal(const MixedValue &q, const MixedValue &p, const MixedValue &d, const RegionalSettings &rs)
{
    using namespace MixedArithmetic;
    const ResumeNext run;
    MixedValue discount(std::int16_t{0});
    MixedValue net(std::int16_t{0});
    double lineTotal = 0;

    const bool pricedLine = !q.isText() && !p.isText();
    if (pricedLine && !d.isText()) {
        run.step([&] {
            const MixedValue hundred(std::int16_t{100});
            discount = ToCurrency(Divide(Multiply(Multiply(d, q, rs), p, rs), hundred, rs), rs);
        });
    }
    if (pricedLine)
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
    const LineGrid::BulkChange bulk(*G);  // the view hears of the rewritten lines once
    for (std::int32_t row = 1; row < rows; ++row) {
        // Only the price and the line total can change: the reference, the designation, the
        // quantity and the discount keep their texts, so they are neither read nor written.
        QString quantity, price, discountRate;
        bool read = false;
        run.step([&] {
            quantity = G->CellText(row, Quantity);
            price = G->CellText(row, Price);
            discountRate = G->CellText(row, Discount);
            read = true;
        });
        if (read) {
            const MixedValue p = operandOf(price, rs);
            const double lineTotal = recomputedLineTotal(operandOf(quantity, rs), p, operandOf(discountRate, rs), rs);
            // The program's writes never raise CellEdited.
            run.step([&] {
                G->setCellText(row, Price, FormatAmount(p, rs));
                G->setCellText(row, LineTotal, FormatAmount(lineTotal, rs));
            });
            run.step([&] { sum = sum + ToCurrency(lineTotal); });
        }
        run.step([&] { lines = CheckedDouble(lines + 1); });
    }
    run.step([&] { nbr->setText(PlainNumberText(lines, rs)); });
    run.step([&] { totaux->setText(FormatStandard(sum, rs)); });
}
