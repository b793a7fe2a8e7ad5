#pragma once
// Opening a .fiche file (FicheFormat.h): the sheet as it was saved, or a French refusal
// naming the line of the file at fault. Nothing is guessed: a file cut short, a record
// changed, missing or moved, or counters that do not belong to the lines are refused, so
// that what is opened is always a sheet the program showed.
//
// The counters are checked (CounterCheck.h) under the regional settings the file was
// written under; where the user's differ, the numbers of the cells and of the grand total
// are then given as the user's settings write them (SettingsConversion.h).

#include "OpenedSheet.h"
#include "RegionalSettings.h"

#include <QIODevice>

// Whether `rs` (separators read from a file) are settings the number readers can work
// with: a decimal separator, separators that differ, none a digit or a sign of the
// number's own, and short.
bool usableNumberSettings(const RegionalSettings &rs);

// True when `start`, the first bytes of a file, name it a .fiche file of any version.
bool looksLikeFiche(QByteArrayView start);

// `progress` is told the share of the file read, in thousandths, now and then; it answers
// false to cancel.
SheetReading readFiche(QIODevice &file, const RegionalSettings &user, const ExportProgress &progress);
