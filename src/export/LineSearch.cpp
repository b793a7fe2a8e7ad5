#include "LineSearch.h"

namespace {

// The columns a user knows a product by.
constexpr int ReferenceColumn = 0;
constexpr int DesignationColumn = 1;

}  // namespace

int nextLineHolding(const SheetTable &sheet, int currentRow, TextFinder &finder)
{
    const int lines = sheet.rowCount() - 1;
    if (lines < 1)
        return 0;
    const int start = currentRow >= 1 && currentRow <= lines ? currentRow : lines;
    for (int step = 1; step <= lines; ++step) {
        const int row = (start - 1 + step) % lines + 1;
        if (finder.isFoundIn(sheet.cellText(row, ReferenceColumn)) ||
            finder.isFoundIn(sheet.cellText(row, DesignationColumn)))
            return row;
    }
    return 0;
}
