#pragma once
// What a copy of the sheet puts on the clipboard, in the two forms programs paste:
// text/plain as tab-separated rows, which a spreadsheet spreads one cell per column, and
// text/html as a table, which a mail keeps as a table. Both start with the header row;
// their cells are those of ExportedCells.h, so that a spreadsheet takes the numbers as
// numbers.

#include "RegionalSettings.h"
#include "SheetTable.h"

#include <QList>
#include <QString>
#include <optional>

struct ClipboardTexts {
    QString plain;
    QString html;
};

// The header row, then the sheet rows `rows` (1 and on) in that order; with `counters`, an
// empty row and the counters after them, each caption beside its value as under the
// grid: "Nombre :" in the first column, "Total :" in the column before the totals. Nothing
// when the user cancelled through `progress`.
std::optional<ClipboardTexts> clipboardTexts(const SheetTable &sheet, const QList<int> &rows,
                                             const std::optional<CounterCaptions> &counters, const RegionalSettings &rs,
                                             const ExportProgress &progress);
