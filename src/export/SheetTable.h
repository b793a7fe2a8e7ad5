#pragma once
// The sheet as the copies, the files and the search read it: rows of text cells, row 0 the
// column titles, rows 1 and on the lines. The window's grid is one; nothing here needs a
// widget.

#include "SheetCounters.h"

#include <QString>
#include <functional>

class SheetTable {
public:
    virtual ~SheetTable() = default;
    // The header row included.
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    virtual QString cellText(int row, int column) const = 0;
};

// Told how many rows are done, now and then, during a long copy or file; answers false
// once the user has cancelled, and the work then stops leaving nothing behind.
using ExportProgress = std::function<bool(int rowsDone)>;

// How often a long piece of work reports: rare enough to cost nothing, frequent enough
// that a cancel is answered at once.
inline constexpr int ProgressStep = 512;
