#pragma once
// Saving the sheet as a .fiche file (FicheFormat.h): its lines' cells exactly as the grid
// shows them, the two counters as shown, and the regional settings they were written under.

#include "RegionalSettings.h"
#include "SheetTable.h"

#include <QIODevice>

// Writes the whole file to `file`; `sheet`'s row 0 (the column titles) is not written.
// False when the user cancelled through `progress` or the device refused a write: the
// caller then keeps nothing of it (writeSheetFile).
bool writeFiche(const SheetTable &sheet, const CounterCaptions &counters, const RegionalSettings &rs, QIODevice &file,
                const ExportProgress &progress);
