#pragma once
// "Ouvrir une fiche…": the file the user chose, read as a .fiche file when it begins as one
// (FicheReader.h) and as a CSV of the sheet otherwise (CsvReader.h), whatever its name.
// A refusal's message names the file, then the line at fault and the cause, in French.

#include "OpenedSheet.h"
#include "RegionalSettings.h"

#include <QString>
#include <QStringList>

// `titles` and `progress` as for readSheetCsv.
SheetReading readSheetFile(const QString &path, const QStringList &titles, const RegionalSettings &rs,
                           const ExportProgress &progress);
