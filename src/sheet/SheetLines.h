#pragma once
// The sheet's lines in their order, each either a listed product (ListedLines.h), whose
// texts are figured when shown, or a line with texts of its own (OwnLines.h): a line added
// from the entry fields, or one the user or the program rewrote. The listing thus costs no
// text at all for 1 000 000 products, and what a handler needs of every line (the totals
// read back, the recalculation's sum) is kept as running totals of the listed lines.
//
// Line numbers count from 0 (the grid's row 1). Every operation gives exactly what the
// same operation on six texts per line would give.
//
// With a journal, every change is taken as steps (SheetSteps.h) and told to it; undo()
// and redo() then take a step back or do it again, exactly, without the journal hearing of
// it. A step costs what it changes: a cell edit on 1 000 000 listed lines journals one line,
// and cutting the sheet moves its state into the step.

#include "AmountTotal.h"
#include "ListedLines.h"
#include "OwnLines.h"
#include "SheetCounters.h"
#include "SheetSteps.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
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
    // lines before it stay, and its failure leaves. Not journaled: a journal starts from a
    // listed sheet.
    void appendListed(std::shared_ptr<const ProductList> products, const RegionalSettings &rs,
                      ListingCounters &counters);
    void exchange(int first, int second);
    // Fewer lines: the last ones go. More: empty lines at the end.
    void resize(int lines);
    // The sheet becomes `lines` lines of their own, cell (line, column) of each as given.
    using CellSource = std::function<QStringView(int line, int column)>;
    void replace(int lines, const CellSource &cell);

    // The sheet becomes `state`, moved in, as one step.
    void replace(std::unique_ptr<SheetState> state);
    // A step read back from the recovery record, taken as the operation that took it took
    // it, when it fits the lines as they stand: every line, slot and column within them, a
    // cell given a text it does not have, lines cut to fewer. False, nothing done, when it
    // does not fit: a record is a file, and its numbers are checked before they are used.
    bool takeRecorded(SheetStepValue step);
    // The whole state, moved out; the sheet is then empty, without a journal's step.
    std::unique_ptr<SheetState> releaseState();

    // Where the steps go from now on; none: they are taken and forgotten.
    void setJournal(SheetJournal *journal) { m_journal = journal; }
    // The step, the last one taken (or done again) of those still done, taken back.
    void undo(SheetStepValue &step);
    // The step, the last one taken back, done again.
    void redo(SheetStepValue &step);

    // Every line's total cell read back, in order, as adding a line counts them.
    CellRecount recount(const RegionalSettings &rs) const;
    // Prices every line again from its quantity, price and discount cells, rewriting its
    // price and total cells, and counts the sheet as a cell edit does.
    RecalculationCounters recalculate(const RegionalSettings &rs);

    // The listed products' source and the settings their texts are figured under, when the
    // sheet has listed lines.
    const ListedLines *listed() const { return m_listed ? &*m_listed : nullptr; }
    int ownCount() const { return int(m_own.count()); }

private:
    static constexpr std::uint32_t OwnLine = SheetState::OwnLine;
    static bool isOwn(std::uint32_t line) { return line & OwnLine; }
    static std::uint32_t slotOf(std::uint32_t line) { return line & ~OwnLine; }

    std::optional<Currency> ownTotalReadBack(std::uint32_t slot, const RegionalSettings &rs) const;
    // Takes the listed line's share out of the running totals.
    void leaveTotals(std::uint32_t product);
    void enterTotals(std::uint32_t product);
    // Listed lines that remain when a new listing comes take texts of their own.
    void ownEveryListedLine();
    // Own cells the recalculation rewrites: journaled only where the text changes.
    void setOwnCell(std::uint32_t slot, int column, const QString &text);

    // Does the step (the first time or again), noting in it what undoing it needs; then
    // tells the journal when there is one.
    template <class Step>
    void take(Step step);
    void apply(SheetStep::TakeOwn &step);
    void apply(SheetStep::SetOwnCell &step);
    void apply(SheetStep::AppendOwn &step);
    void apply(SheetStep::Exchange &step);
    void apply(SheetStep::Reprice &step);
    void apply(SheetStep::Truncate &step);
    void apply(SheetStep::Replace &step);
    void revert(SheetStep::TakeOwn &step);
    void revert(SheetStep::SetOwnCell &step);
    void revert(SheetStep::AppendOwn &step);
    void revert(SheetStep::Exchange &step);
    void revert(SheetStep::Reprice &step);
    void revert(SheetStep::Truncate &step);
    void revert(SheetStep::Replace &step);
    void swapState(SheetState &other);
    SheetState stateCopy() const;

    int m_columns;
    std::vector<std::uint32_t> m_lines;
    OwnLines m_own;
    std::optional<ListedLines> m_listed;
    // Over the listed lines present: their total cells read back in the form shown, and
    // what the recalculation adds for them.
    AmountTotal m_listedReadBack;
    AmountTotal m_listedRecalculated;
    SheetJournal *m_journal = nullptr;
};
