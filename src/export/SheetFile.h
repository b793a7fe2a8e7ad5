#pragma once
// Writing a file of the sheet (CSV or PDF) whole or not at all: through a QSaveFile, so
// that a failure or a cancel at any point leaves no half-written file and an earlier file
// of that name as it was; never onto the open catalogue; and with a French message that
// names the file and the cause when it cannot be written.

#include <QDate>
#include <QIODevice>
#include <QString>
#include <functional>

// "fiche-2025-03-14.csv" (for `suffix` "csv") in the user's documents folder, or in the
// home folder when there is none.
QString proposedSheetFile(const QDate &day, const QString &suffix);

// True when `target` is the catalogue file: the same path, a link to it, or another name
// of the same file.
bool isCatalogueFile(const QString &target, const QString &catalogue);

struct SheetFileOutcome {
    enum Kind { Written, Cancelled, Refused };
    Kind kind = Written;
    QString message;  // for Refused: what to tell the user, in French
};

// Fills `target` through `write`, which answers false when it stopped (the user's cancel,
// or a write the device refused). The file appears only when everything was written.
SheetFileOutcome writeSheetFile(const QString &target, const QString &catalogue,
                                const std::function<bool(QIODevice &file)> &write);
