#pragma once
// A sheet cell as a spreadsheet should receive it. The reference and the designation are
// texts, given exactly as they stand ("00123" stays "00123"). A quantity, price, discount
// or total that the user's settings read as a number is given as that number, plainly:
// " 1 234,50" becomes "1234,50" under French settings. A spreadsheet takes a plain number
// as a number, where the grid's blanks between digit groups (and, elsewhere, a group
// separator that is the field separator of the file) would make it a text or split it.
// Any other cell is given as its text, exactly.

#include "RegionalSettings.h"

#include <QString>
#include <QStringView>
#include <optional>

// The columns of the sheet that hold numbers: quantity, price, discount and total.
bool holdsNumbers(int column);

// The number `text` reads as under `rs` (the program's own reader: blanks, no-break spaces
// and the locale's separator between digit groups all read), written with no group
// separator, no blank, "-" as its minus and the locale's decimal separator; the digits
// stay those written. Nothing when the text is not such a number.
std::optional<QString> plainNumber(QStringView text, const RegionalSettings &rs);

QString exportedCell(int column, const QString &text, const RegionalSettings &rs);
