// Enter in the total field commits the line: it is appended to the sheet, the entry
// fields start afresh, and both counters are recounted over the whole sheet (so that
// line totals the user edited in the grid are counted as they now stand).

#include "EntryLine.h"
#include "ErrorMode.h"
#include "Form2.h"
#include "KeyCodes.h"
#include "LineGrid.h"
#include "SheetModel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void Form2::total_KeyPress(std::int16_t &KeyAscii)
{
    if (KeyAscii != EnterKeyCode)
        return;

    const ResumeNext run;
    const EntryFields line = entryFields();
    if (!readyToAdd(line, m_regional))
        return;

    run.step([&] {
        G->AppendRow(addedLineText(line, m_regional));
        G->scrollToBottom();  // the new line in view; the selection stays where it was
    });

    // Setting a text cannot fail here: the change handlers these assignments run (the look-up
    // for Ref, the pricing for remise) meet their own failures.
    const QString zero = PlainNumberText(std::int16_t{0}, m_regional);
    Ref->setEditText(QString());  // runs the look-up, which clears the line
    desi->setText(QString());
    qte->setText(zero);
    remise->setText(zero);
    total->setText(zero);
    prixvente->setText(zero);

    std::int32_t rows = 1;
    run.step([&] { rows = ToInt32(MixedValue(G->RowCount()), m_regional); });
    // Every line's total cell read back, hand-edited ones included; one that is not a number
    // adds nothing.
    const CellRecount counters = G->sheet().recount(m_regional);
    run.step([&] { nbr->setText(counters.countCaption(rows)); });
    run.step([&] { totaux->setText(counters.sumCaption()); });
}
