// After the user edits a cell, every line is priced again from its quantity, price and
// discount cells (the rule: src/sheet/LineRules.h), and both counters are set afresh. A
// hand-typed line total is replaced; the other typed cells stay as typed.

#include "ErrorMode.h"
#include "Form2.h"
#include "LineGrid.h"
#include "SheetModel.h"

#include <QLabel>

void Form2::G_CellEdited()
{
    const ResumeNext run;
    const QString zero = PlainNumberText(std::int16_t{0}, m_regional);
    nbr->setText(zero);
    totaux->setText(zero);

    std::int32_t rows = 1;
    run.step([&] { rows = ToInt32(MixedValue(G->RowCount()), m_regional); });
    if (rows <= 1)
        return;

    // Only the price and the line total can change: the reference, the designation, the
    // quantity and the discount keep their texts. The program's writes never raise
    // CellEdited.
    const RecalculationCounters counters = G->sheet().recalculate(m_regional);
    run.step([&] { nbr->setText(counters.countCaption()); });
    run.step([&] { totaux->setText(counters.sumCaption()); });
}
