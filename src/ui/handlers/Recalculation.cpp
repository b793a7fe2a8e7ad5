// After the user edits a cell, every line is priced again from its quantity, price and
// discount cells (the rule: src/sheet/LineRules.h), and both counters are set afresh. A
// hand-typed line total is replaced; the other typed cells stay as typed.

#include "ErrorMode.h"
#include "Form2.h"
#include "LineGrid.h"
#include "LineRules.h"
#include "SheetColumns.h"
#include "SheetCounters.h"

#include <QLabel>

void Form2::G_CellEdited()
{
    const ResumeNext run;
    const QString zero = PlainNumberText(std::int16_t{0}, m_regional);
    run.step([&] { nbr->setText(zero); });
    run.step([&] { totaux->setText(zero); });

    std::int32_t rows = 1;
    run.step([&] { rows = ToInt32(MixedValue(G->RowCount()), m_regional); });
    if (rows <= 1)
        return;

    // The counters are kept here and written once at the end: writing the captions at
    // every line would repaint them a hundred thousand times on a big sheet.
    RecalculationCounters counters(m_regional);
    const LineGrid::BulkChange bulk(*G);  // the view hears of the rewritten lines once
    for (std::int32_t row = 1; row < rows; ++row) {
        // Only the price and the line total can change: the reference, the designation, the
        // quantity and the discount keep their texts, so they are neither read nor written.
        std::optional<RecalculatedLine> line;
        run.step([&] {
            line = recalculatedLine(G->CellText(row, SheetColumn::Quantity), G->CellText(row, SheetColumn::Price),
                                    G->CellText(row, SheetColumn::Discount), m_regional);
        });
        if (line) {
            // The program's writes never raise CellEdited.
            run.step([&] {
                G->setCellText(row, SheetColumn::Price, line->price);
                G->setCellText(row, SheetColumn::LineTotal, line->lineTotalText);
            });
            run.step([&] { counters.add(line->lineTotal); });
        }
        run.step([&] { counters.countLine(); });
    }
    run.step([&] { nbr->setText(counters.countCaption()); });
    run.step([&] { totaux->setText(counters.sumCaption()); });
}
