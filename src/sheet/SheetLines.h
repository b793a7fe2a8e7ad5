#pragma once
// The sheet's lines in their order, each either a listed product (ListedLines.h), whose
// texts are figured when shown, or a line with texts of its own (OwnLines.h): a line added
// from the entry fields, or one the user or the program rewrote. The listing thus costs no
// text at all for 1 000 000 products, and what a handler needs of every line (the totals
// read back, the recalculation's sum) is kept as running totals of the listed lines.
//
// Line numbers count from 0 (the grid's row 1). Every operation gives exactly what the
// same operation on six texts per line would give.

#include "AmountTotal.h"
#include "ListedLines.h"
#include "OwnLines.h"
#include "SheetCounters.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class SheetLines {
public:
    explicit SheetLines(int columns);

    int count() const { return int(m_lines.size()); }
    QString cell(int line, int column) const;
    // A listed line takes texts of its own first: those it shows.
    void setCell(int line, int column, const QString &text);

    // The fields separated by tabs fill a new last line's cells from the first.
    void append(const QString &tabSeparated);
    // One line per product after the last, in order, each counted into `counters` as the
    // listing counts it. A product whose total cannot be figured ends the listing: the
    // lines before it stay, and its failure leaves.
    void appendListed(std::shared_ptr<const ProductList> products, const RegionalSettings &rs,
                      ListingCounters &counters);
    void exchange(int first, int second);
    // Fewer lines: the last ones go. More: empty lines at the end.
    void resize(int lines);

    // Every line's total cell read back, in order, as adding a line counts them.
    CellRecount recount(const RegionalSettings &rs) const;
    // Prices every line again from its quantity, price and discount cells, rewriting its
    // price and total cells, and counts the sheet as a cell edit does.
    RecalculationCounters recalculate(const RegionalSettings &rs);

private:
    static constexpr std::uint32_t OwnLine = 1u << 31;  // else: a listed product's index
    static bool isOwn(std::uint32_t line) { return line & OwnLine; }
    static std::uint32_t slotOf(std::uint32_t line) { return line & ~OwnLine; }

    std::optional<Currency> ownTotalReadBack(std::uint32_t slot, const RegionalSettings &rs) const;
    // Takes the listed line's share out of the running totals.
    void leaveTotals(std::uint32_t product);
    // Listed lines that remain when a new listing comes take texts of their own.
    void ownEveryListedLine();

    int m_columns;
    std::vector<std::uint32_t> m_lines;
    OwnLines m_own;
    std::optional<ListedLines> m_listed;
    // Over the listed lines present: their total cells read back in the form shown, and
    // what the recalculation adds for them.
    AmountTotal m_listedReadBack;
    AmountTotal m_listedRecalculated;
};
