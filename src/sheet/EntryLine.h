#pragma once
// The line being entered in the fields Ref, desi, qte, prixvente, remise and total: its
// total, recomputed at each change of the discount, and the line Enter adds to the sheet.
// How this total differs from a listed or a recalculated line's: src/sheet/LineRules.h.

#include "RegionalSettings.h"

#include <QString>
#include <optional>

struct EntryFields {
    QString reference;
    QString designation;
    QString quantity;
    QString price;
    QString discount;
    QString total;
};

// What `total` shows after a change of the discount, from the fields as they read; nothing
// when the total is left as it is. A readable zero quantity or price leaves it alone (this
// is what keeps the program's own resets from touching it); an unreadable one does not, and
// the total shows zero. Never fails.
std::optional<QString> repricedTotal(const EntryFields &fields, const RegionalSettings &rs);

// Whether Enter in `total` adds the line: a reference and a designation, and a quantity,
// price and total that read as non-zero numbers. An unreadable number stops it too.
bool readyToAdd(const EntryFields &fields, const RegionalSettings &rs);

// The line as it goes into the sheet, its cells separated by tabs: the fields as typed,
// but the price and the total in the "## ### ##0.00" form, and a tab inside a field as a
// blank, so that no cell's text spills into the next.
QString addedLineText(const EntryFields &fields, const RegionalSettings &rs);
