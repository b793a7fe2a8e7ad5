#pragma once
// The sheet as a CSV file, in the convention a spreadsheet follows under the user's
// regional settings: UTF-8 with a byte-order mark (without it the file is taken for the
// system's old code page), ";" between fields where the decimal separator is "," (so that
// "1234,50" stays one field) and "," elsewhere, CRLF at the end of each row, and RFC 4180
// quoting. The header row comes first, then every line in the sheet's order, its cells as
// ExportedCells.h gives them.

#include "RegionalSettings.h"
#include "SheetTable.h"

#include <QIODevice>
#include <QString>

QChar csvFieldSeparator(const RegionalSettings &rs);

// Appends one field, quoted when it holds the separator, a double quote or a line break,
// or begins or ends with a blank (which a reader would otherwise trim); a double quote
// inside is doubled.
void appendCsvField(QString &row, QStringView field, QChar separator);

// Writes the whole file to `file`. False when the user cancelled through `progress` or
// the device refused a write: the caller then keeps nothing of it.
bool writeSheetCsv(const SheetTable &sheet, const RegionalSettings &rs, QIODevice &file,
                   const ExportProgress &progress);
