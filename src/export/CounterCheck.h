#pragma once
// Whether the two counters of a saved sheet belong to its lines: whether the program could
// have shown these captions above these lines. Three handlers set the counters, each its
// own way (SheetCounters.h), and a saved sheet may come from any of them:
//
//  - the line count is always the number of lines, in plain digits: it must be exactly that;
//  - after "Nouveau", or a listing or recalculation of no line, the grand total is "0";
//  - after adding a line (Enter), it is the recount of the line-total cells;
//  - after a cell edit, it is the sum of the recomputed totals, each of which the line's
//    total cell shows to the cent: the recount of the cells gives the same text, so the
//    rule above covers it (recomputing from the quantity and price cells would not: the
//    recalculation rewrote the price cell, rounded to the cent, after using it);
//  - after the start-up listing (and only then are all discount cells empty: a listed
//    line has none, Enter writes the discount field, a cell edit reprices every line),
//    it is a running sum of the unrounded line totals, rounded to the cent after each
//    addition. Each addition then differs from the cell it adds (rounded on its own) by
//    at most one cent, and only when the line's total lies on a half cent: -0,125 added to
//    10,00 gives 9,88 where the cells give 10,00 and -0,13. So with every discount cell
//    empty, a total in the standard money form that lies within a cent per line of the
//    cells' sum is accepted (plus, for sums beyond 10^11, the part that the fifteen digits
//    a double shows cannot hold).
//
// Anything else is refused. The lines are given in the settings they were written under.

#include "LineTotalRecount.h"
#include "RegionalSettings.h"
#include "SheetTable.h"

#include <QString>
#include <QStringView>
#include <optional>

class CounterCheck {
public:
    explicit CounterCheck(const RegionalSettings &rs) : m_rs(rs), m_recount(rs) {}

    void addLine(QStringView discount, QStringView lineTotal);

    // Why `counters` cannot be those of the lines added, in French; nothing when they can.
    std::optional<QString> mismatch(const CounterCaptions &counters) const;

private:
    bool withinListingRounding(const QString &grandTotal) const;

    const RegionalSettings &m_rs;
    LineTotalRecount m_recount;
    bool m_noDiscount = true;  // every discount cell so far is empty
    __int128 m_sum = 0;        // the total cells read back, in ten-thousandths
    __int128 m_sizes = 0;      // the sum of their sizes
};
