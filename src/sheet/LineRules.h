#pragma once
// A sheet line's cells and total, as each handler that writes lines computes them. There
// are three computations, and they must stay three: each gives exactly the texts users have
// always seen at its place, and the counters are read back from those texts.
//
//  - A listed line (the catalogue at start-up, `listedLine`): the stored quantity times the
//    stored price, unrounded; the price and total cells in the "## ### ##0.00" form, the
//    discount cell empty.
//  - The line being entered (a change of the discount, src/entry/EntryLine.h): quantity ×
//    price in double arithmetic, less the discount's share of it, rounded to four decimals
//    once, then shown in the standard money form; Enter copies that text into the sheet in
//    the "## ### ##0.00" form.
//  - A recalculated line (after a cell edit, `recalculatedLine`): the discount amount and
//    the gross amount each rounded to four decimals before the subtraction, the net then
//    rounded to the cent as the standard form shows it; a step whose operand is not a
//    number counts as zero instead of stopping the line.
//
// All take and give the texts the controls and cells hold.

#include "MixedValue.h"
#include "RegionalSettings.h"

#include <QString>

// The four fields of a catalogue product the listing shows, as the engine gives them.
struct ProductValues {
    MixedValue reference;
    MixedValue designation;
    MixedValue quantity;
    MixedValue price;
};

struct ListedLine {
    QString text;          // the six cells, separated by tabs
    MixedValue lineTotal;  // null when the quantity or the price is
};

// Fails like the arithmetic when a value cannot be multiplied (a text that is no number).
ListedLine listedLine(const ProductValues &product, const RegionalSettings &rs);

struct RecalculatedLine {
    QString price;          // the price cell rewritten
    QString lineTotalText;  // the total cell
    double lineTotal = 0;   // what the grand total adds
};

// From the quantity, price and discount cells. Never fails: a line whose quantity or price
// is not a number totals zero, an empty or unreadable discount counts as none.
RecalculatedLine recalculatedLine(const QString &quantity, const QString &price, const QString &discount,
                                  const RegionalSettings &rs);
