// The arrows move the selected line one row at a time, asking after each step whether to
// go on in the same direction. A move exchanges two neighbouring lines whole, so a line
// keeps its six cells together however far it travels; the selection stays on the row
// where the move began, and the counters do not change.
//
// A failing grid operation ends the move and keeps the sheet as it stands, and row
// numbers are 32-bit, so lines beyond row 32 767 of a big sheet move like any other.

#include "ErrorMode.h"
#include "Form2.h"
#include "LineGrid.h"
#include "ReportBox.h"

void Form2::haut_Click()
{
    EndHandlerOnError([&] {
        std::int32_t row = ToInt32(MixedValue(G->CurrentRow()), m_regional);
        if (row <= 1)
            return;
        for (;;) {
            G->exchangeRows(row, CheckedAdd(row, -1));
            if (!ask(QStringLiteral("Remonter encore cet élément ?")))
                return;
            if (row <= 2)  // the line has reached the first row
                return;
            row = CheckedAdd(row, -1);
        }
    });
}

void Form2::bas_Click()
{
    EndHandlerOnError([&] {
        std::int32_t row = ToInt32(MixedValue(G->CurrentRow()), m_regional);
        const std::int32_t lastRow = CheckedAdd(G->RowCount(), -1);
        if (row < 1 || row >= lastRow)
            return;
        for (;;) {
            G->exchangeRows(row, CheckedAdd(row, 1));
            if (!ask(QStringLiteral("Descendre encore cet élément ?")))
                return;
            if (CheckedAdd(row, 1) >= CheckedAdd(G->RowCount(), -1))  // reached the last row
                return;
            row = CheckedAdd(row, 1);
        }
    });
}

bool Form2::ask(const QString &text)
{
    if (m_question)
        return m_question(text);
    return askYesNo(this, text);
}
