#pragma once
// A window's recovery record (RecordFormat.h) read back into the sheet it recorded: the
// lines, their texts and the counters' captions as they were after the last whole change,
// the changes undone and redone included. The record is a file like any other: every count,
// line, slot and column is checked against the sheet it applies to before it is used, and
// the reading stops at the first record cut, changed or out of place. What was read until
// then is given back, a change being taken whole or not at all: a record cut anywhere gives
// the sheet as it was after one of its changes, never a sheet the window did not show.

#include "OpenedSheet.h"
#include "SheetCounters.h"
#include "SheetState.h"

#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <memory>

struct RecordReading {
    // Null when not even the sheet the record starts from could be read.
    std::unique_ptr<SheetState> sheet;
    CounterCaptions captions;
    int lineCount = 0;
    // When the last change given back was made (or undone, redone); invalid when none was.
    QDateTime lastChange;
    // Why the reading stopped before the end of the record, in French; empty when it read
    // to the end.
    QString stop;
};

RecordReading readSheetRecord(QIODevice &file);

// The sheet read, as the texts of its lines and its counters: the way it comes back into a
// window, as a sheet opened does, its lines all of their own from then on (the recording
// window's products are not the new window's).
SheetContents contentsOf(RecordReading reading);
