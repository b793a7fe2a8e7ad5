#pragma once
// Opening a CSV of the sheet's six columns, as "Enregistrer la fiche en CSV…" writes it
// (CsvFile.h) or as a spreadsheet saves it: fields separated by ";" or "," (whichever
// splits the first line into six), UTF-8 with or without its byte-order mark, rows ended by
// CRLF or LF, RFC 4180 quoting (a field in double quotes may hold separators, line breaks
// and doubled quotes). A first row that holds the grid's six column titles is left out.
//
// The cells are taken exactly as they stand, and the counters recounted as adding a line
// recounts them, under the user's settings (LineTotalRecount.h). A row of another number
// of fields, a quote left open, text that is not UTF-8, or a file without a line is
// refused with a French message naming the line.

#include "OpenedSheet.h"
#include "RegionalSettings.h"

#include <QIODevice>
#include <QStringList>

// `titles`: the grid's column titles, as a CSV's first row would hold them (blanks
// around them and letter case do not count). `progress` as for readFiche.
SheetReading readSheetCsv(QIODevice &file, const QStringList &titles, const RegionalSettings &rs,
                          const ExportProgress &progress);
