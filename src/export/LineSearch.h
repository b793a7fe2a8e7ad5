#pragma once
// "Rechercher" on the sheet: the next line whose reference or designation holds the text
// looked for, as the listing's order weighs letters but blind to accents and case
// (TextFinder.h). The search starts at the line after the current one, goes on from
// the first line after the last, and ends with the current line itself.

#include "SheetTable.h"
#include "TextFinder.h"

// The row found (1 and on), or 0 when no line holds the text. `currentRow` 0 (no current
// line) starts from the first line.
int nextLineHolding(const SheetTable &sheet, int currentRow, TextFinder &finder);
