#pragma once
// The sheet's two counters: the caption of `nbr`, the number of lines in plain digits, and
// the caption of `totaux`, the sum of the line totals in the standard money form. Three
// handlers set them afresh, each counting its own way, and the ways differ in what the sum
// adds (see LineRules.h for the totals themselves):
//
//  - the listing carries both in the captions' texts, line after line: the count is read
//    back and incremented, the sum read back, added to and rounded to the cent each time
//    (ListingCounters);
//  - adding a line recounts the whole sheet from the line-total cells as they now read,
//    hand-edited ones included (CellRecount);
//  - the recalculation after a cell edit sums the totals it has just recomputed, in
//    Currency (RecalculationCounters).
//
// Each gives both captions; a handler writes them where its order needs them.

#include "Currency.h"
#include "MixedValue.h"
#include "RegionalSettings.h"

#include <QString>
#include <cstdint>
#include <optional>

// The two counters under the sheet, as the window shows them.
struct CounterCaptions {
    QString lineCount;
    QString grandTotal;
    bool operator==(const CounterCaptions &) const = default;
};

class ListingCounters {
public:
    explicit ListingCounters(const RegionalSettings &rs) : m_rs(rs) {}

    void countLine();
    // Fails like the arithmetic (a total beyond the range of Currency).
    void add(const MixedValue &lineTotal);

    // The captions once the listing ends, however it ends; nothing for a caption that keeps
    // its "0" (no line listed, or no total added).
    std::optional<QString> countCaption() const;
    std::optional<QString> sumCaption() const;

private:
    const RegionalSettings &m_rs;
    double m_count = 0;
    double m_sumReadBack = 0;       // the grand total's caption text, read back
    std::optional<Currency> m_sum;  // the grand total the caption is to show, once there is one
};

class CellRecount {
public:
    explicit CellRecount(const RegionalSettings &rs) : m_rs(rs) {}

    // A line's total cell read back. Fails beyond Currency: the amount then adds nothing.
    void addAmount(Currency readBack);

    // `rows`: the grid's rows, the header row included.
    QString countCaption(std::int32_t rows) const;
    QString sumCaption() const;

private:
    const RegionalSettings &m_rs;
    MixedValue m_sum{std::int16_t{0}};
};

class RecalculationCounters {
public:
    explicit RecalculationCounters(const RegionalSettings &rs) : m_rs(rs) {}

    void countLines(std::uint32_t lines);
    // A line's recomputed total, in Currency. Fails beyond Currency: it then adds nothing.
    void addAmount(Currency lineTotal);

    QString countCaption() const;
    QString sumCaption() const;

private:
    const RegionalSettings &m_rs;
    double m_lines = 0;
    Currency m_sum;
};
