#pragma once
// What SheetLines did, one step at a time, each a value that SheetLines can undo and do
// again exactly (SheetLines::undo, SheetLines::redo). A step holds what it needs both ways:
// the text a cell had, the line it appended, the whole state a "Nouveau" replaced. Own
// lines are named by their slot (OwnLines.h), which the same steps in the same order always
// give the same number; every other place by its line, from 0.

#include "AmountTotal.h"
#include "SheetState.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <variant>

namespace SheetStep {

// A listed line takes texts of its own, the listed ones: a new own line, the last slot.
struct TakeOwn {
    int line = 0;
    std::uint32_t product = 0;  // the listed product it was
};

// A cell of an own line gets a new text (never the text it had).
struct SetOwnCell {
    std::uint32_t slot = 0;
    int column = 0;
    QString before;
    QString after;
};

// A new last line of its own, these cells.
struct AppendOwn {
    QStringList cells;
};

// Two lines change places.
struct Exchange {
    int first = 0;
    int second = 0;
};

// The listed lines' totals become the recalculation's (ListedLines::reprice).
struct Reprice {
    AmountTotal readBackBefore;
};

// The sheet keeps only its first `lines` lines; `other` is the state on the other side of
// the step (the one it left, once done; the one it gives, once undone).
struct Truncate {
    int lines = 0;
    std::unique_ptr<SheetState> other;
};

// The sheet becomes another one (a sheet opened, a sheet found again); `other` as above.
struct Replace {
    std::unique_ptr<SheetState> other;
};

}  // namespace SheetStep

using SheetStepValue = std::variant<SheetStep::TakeOwn, SheetStep::SetOwnCell, SheetStep::AppendOwn,
                                    SheetStep::Exchange, SheetStep::Reprice, SheetStep::Truncate, SheetStep::Replace>;

// Where SheetLines tells each step it takes, once taken.
class SheetJournal {
public:
    virtual ~SheetJournal() = default;
    virtual void record(SheetStepValue step) = 0;
};
