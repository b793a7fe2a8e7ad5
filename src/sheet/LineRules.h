#pragma once
// A sheet line's cells and total, as each handler that writes lines computes them. There
// are three computations, and they must stay three: each gives exactly the texts users have
// always seen at its place, and the counters are read back from those texts.
//
//  - A listed line (the catalogue at start-up, `listedCell`): the stored quantity times the
//    stored price, unrounded; the price and total cells in the "## ### ##0.00" form, the
//    discount cell empty.
//  - The line being entered (a change of the discount, EntryLine.h): quantity ×
//    price in double arithmetic, less the discount's share of it, rounded to four decimals
//    once, then shown in the standard money form; Enter copies that text into the sheet in
//    the "## ### ##0.00" form.
//  - A recalculated line (after a cell edit, `recalculatedLine`): the discount amount and
//    the gross amount each rounded to four decimals before the subtraction, the net then
//    rounded to the cent as the standard form shows it; a step whose operand is not a
//    number counts as zero instead of stopping the line.
//
// All take and give the texts the controls and cells hold.

#include "Currency.h"
#include "MixedValue.h"
#include "RegionalSettings.h"

#include <QString>
#include <optional>

// The four fields of a catalogue product the listing shows, as the engine gives them.
struct ProductValues {
    MixedValue reference;
    MixedValue designation;
    MixedValue quantity;
    MixedValue price;
};

// A listed line's total: null when the quantity or the price is. Fails like the arithmetic
// when a value cannot be multiplied (a text that is no number).
MixedValue listedLineTotal(const MixedValue &quantity, const MixedValue &price, const RegionalSettings &rs);

// Cell `column` of a product's listed line (columns of SheetColumns.h). Its total cell is
// empty for a product whose total cannot be computed, which the listing never lists.
QString listedCell(int column, const ProductValues &product, const RegionalSettings &rs);

struct RecalculatedLine {
    QString price;          // the price cell rewritten
    QString lineTotalText;  // the total cell
    double lineTotal = 0;   // what the grand total adds
};

// From the quantity, price and discount cells. Never fails: a line whose quantity or price
// is not a number totals zero, an empty or unreadable discount counts as none.
RecalculatedLine recalculatedLine(const QString &quantity, const QString &price, const QString &discount,
                                  const RegionalSettings &rs);

// Whether the recalculation writes a listed line's price cell back as the listing wrote it.
// It reads the cell as a double, which keeps fifteen significant digits: a price of
// 10^13 or more may show other cents once rewritten ("12 345 678 901 234,56" becomes
// "…234,60"), and its line must then be figured from its texts, edit after edit.
bool recalculationKeepsListedPrice(const MixedValue &price, const RegionalSettings &rs);

// The total a recalculation gives a listed line, from its cells as the listing wrote them,
// for a line whose price cell keeps its text (recalculationKeepsListedPrice): only the total
// changes. Figured from the values where
// they are the catalogue's usual kinds (whole quantity, money or real price), which gives
// what the cells' texts give; from the texts otherwise.
double recalculatedListedTotal(const MixedValue &quantity, const MixedValue &price, const RegionalSettings &rs);
// What the recalculation then adds to the grand total for the line: that total in
// Currency; nothing beyond Currency.
std::optional<Currency> recalculatedListedAmount(const MixedValue &quantity, const MixedValue &price,
                                                 const RegionalSettings &rs);
