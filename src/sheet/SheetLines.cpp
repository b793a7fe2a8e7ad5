#include "SheetLines.h"

#include "ErrorMode.h"
#include "LineRules.h"
#include "NumberRules.h"
#include "SheetColumns.h"

#include <QScopeGuard>
#include <algorithm>
#include <type_traits>
#include <utility>

SheetLines::SheetLines(int columns) : m_columns(columns), m_own(columns)
{}

QString SheetLines::cell(int line, int column) const
{
    const std::uint32_t at = m_lines[std::size_t(line)];
    if (isOwn(at))
        return m_own.cell(slotOf(at), column).toString();
    return m_listed->cell(at, column);
}

void SheetLines::setCell(int line, int column, const QString &text)
{
    if (!isOwn(m_lines[std::size_t(line)]))
        take(SheetStep::TakeOwn{line, 0});
    setOwnCell(slotOf(m_lines[std::size_t(line)]), column, text);
}

void SheetLines::setOwnCell(std::uint32_t slot, int column, const QString &text)
{
    if (m_own.cell(slot, column) != text)
        take(SheetStep::SetOwnCell{slot, column, {}, text});
}

void SheetLines::append(const QString &tabSeparated)
{
    // As OwnLines::add cuts it: missing fields empty, those beyond the last column dropped.
    QStringList cells = tabSeparated.split(u'\t');
    cells.resize(m_columns);
    take(SheetStep::AppendOwn{cells});
}

void SheetLines::appendListed(std::shared_ptr<const ProductList> products, const RegionalSettings &rs,
                              ListingCounters &counters)
{
    SheetJournal *const journal = std::exchange(m_journal, nullptr);
    const auto journalAgain = qScopeGuard([&] { m_journal = journal; });  // a failure too
    ownEveryListedLine();
    m_listed.emplace(std::move(products), rs);
    m_listedReadBack = {};
    m_listedRecalculated = {};
    const ProductList &listing = m_listed->products();
    m_lines.reserve(m_lines.size() + listing.count());
    for (std::uint32_t product = 0; product < listing.count(); ++product) {
        const auto [quantity, price] = listing.quantityAndPrice(product);
        const MixedValue lineTotal = listedLineTotal(quantity, price, rs);
        m_lines.push_back(product);
        if (const std::optional<Currency> readBack = AmountReadBack(lineTotal, rs))
            m_listedReadBack.add(*readBack);
        if (const std::optional<Currency> amount = recalculatedListedAmount(quantity, price, rs))
            m_listedRecalculated.add(*amount);
        // A price cell that each recalculation rewrites otherwise: the line is figured from
        // its texts, as an added line is, and so takes texts of its own from the start.
        if (!recalculationKeepsListedPrice(price, rs))
            setCell(count() - 1, 0, cell(count() - 1, 0));
        counters.countLine();
        if (!lineTotal.isNull())
            counters.add(lineTotal);
    }
}

void SheetLines::exchange(int first, int second)
{
    take(SheetStep::Exchange{first, second});
}

void SheetLines::resize(int lines)
{
    if (lines >= count()) {
        while (count() < lines)
            append(QString());
        return;
    }
    if (m_journal) {
        // The state cut from goes into the step whole; the lines kept are copied, none for
        // "Nouveau".
        auto kept = std::make_unique<SheetState>(m_columns);
        if (lines > 0) {
            SheetLines copy(m_columns);
            *kept = stateCopy();
            copy.swapState(*kept);
            copy.resize(lines);
            copy.swapState(*kept);
        }
        take(SheetStep::Truncate{lines, std::move(kept)});
        return;
    }
    const auto remaining = m_lines.begin() + lines;
    if (std::all_of(m_lines.begin(), remaining, isOwn)) {
        m_listed.reset();  // with its totals: no listed line remains
        m_listedReadBack = {};
        m_listedRecalculated = {};
    } else {
        std::for_each(remaining, m_lines.end(), [this](std::uint32_t line) {
            if (!isOwn(line))
                leaveTotals(line);
        });
    }
    m_lines.erase(remaining, m_lines.end());
    // The own lines that remain, renumbered in the sheet's order.
    std::vector<std::uint32_t> kept;
    for (std::uint32_t &line : m_lines) {
        if (isOwn(line)) {
            kept.push_back(slotOf(line));
            line = OwnLine | std::uint32_t(kept.size() - 1);
        }
    }
    m_own.keepOnly(kept);
}

std::optional<Currency> SheetLines::ownTotalReadBack(std::uint32_t slot, const RegionalSettings &rs) const
{
    // Not a number: adds nothing.
    return unlessItFails([&] { return ReadLocaleCurrency(m_own.cell(slot, SheetColumn::LineTotal).toString(), rs); });
}

CellRecount SheetLines::recount(const RegionalSettings &rs) const
{
    CellRecount counters(rs);
    AmountTotal total = m_listedReadBack;
    for (std::uint32_t slot = 0; slot < m_own.count(); ++slot) {
        if (const std::optional<Currency> readBack = ownTotalReadBack(slot, rs))
            total.add(*readBack);
    }
    if (total.addsUpInAnyOrder()) {
        counters.addAmount(total.sum());
        return counters;
    }
    // Sums beyond Currency: each line in order, one that would leave the range adding nothing.
    for (const std::uint32_t line : m_lines) {
        const std::optional<Currency> readBack =
            isOwn(line) ? ownTotalReadBack(slotOf(line), rs) : m_listed->totalReadBack(line);
        if (readBack)
            unlessItFails([&] { counters.addAmount(*readBack); });
    }
    return counters;
}

RecalculationCounters SheetLines::recalculate(const RegionalSettings &rs)
{
    RecalculationCounters counters(rs);
    counters.countLines(std::uint32_t(m_lines.size()));
    // The own lines' price and total cells are rewritten; only those two can change.
    std::vector<std::optional<Currency>> ownAmounts(m_own.count());
    AmountTotal total;
    for (std::uint32_t slot = 0; slot < m_own.count(); ++slot) {
        const RecalculatedLine line = recalculatedLine(m_own.cell(slot, SheetColumn::Quantity).toString(),
                                                       m_own.cell(slot, SheetColumn::Price).toString(),
                                                       m_own.cell(slot, SheetColumn::Discount).toString(), rs);
        setOwnCell(slot, SheetColumn::Price, line.price);
        setOwnCell(slot, SheetColumn::LineTotal, line.lineTotalText);
        // Beyond Currency: the line adds nothing.
        ownAmounts[slot] = unlessItFails([&] { return ToCurrency(line.lineTotal); });
        if (ownAmounts[slot])
            total.add(*ownAmounts[slot]);
    }
    if (m_listed) {
        total += m_listedRecalculated;
        if (!m_listed->repriced())
            take(SheetStep::Reprice{});
    }
    if (total.addsUpInAnyOrder()) {
        counters.addAmount(total.sum());
        return counters;
    }
    for (const std::uint32_t line : m_lines) {
        const std::optional<Currency> amount =
            isOwn(line) ? ownAmounts[slotOf(line)] : m_listed->recalculatedAmount(line);
        if (amount)
            unlessItFails([&] { counters.addAmount(*amount); });
    }
    return counters;
}

void SheetLines::enterTotals(std::uint32_t product)
{
    if (const std::optional<Currency> readBack = m_listed->totalReadBack(product))
        m_listedReadBack.add(*readBack);
    if (const std::optional<Currency> amount = m_listed->recalculatedAmount(product))
        m_listedRecalculated.add(*amount);
}

void SheetLines::leaveTotals(std::uint32_t product)
{
    if (const std::optional<Currency> readBack = m_listed->totalReadBack(product))
        m_listedReadBack.remove(*readBack);
    if (const std::optional<Currency> amount = m_listed->recalculatedAmount(product))
        m_listedRecalculated.remove(*amount);
}

void SheetLines::ownEveryListedLine()
{
    for (int line = 0; line < count(); ++line) {
        if (!isOwn(m_lines[std::size_t(line)]))
            setCell(line, 0, cell(line, 0));
    }
}

void SheetLines::replace(int lines, const CellSource &cell)
{
    auto state = std::make_unique<SheetState>(m_columns);
    state->lines.reserve(std::size_t(lines));
    state->own.reserve(std::size_t(lines));
    QList<QStringView> cells(m_columns);
    for (int line = 0; line < lines; ++line) {
        for (int column = 0; column < m_columns; ++column)
            cells[column] = cell(line, column);
        state->lines.push_back(OwnLine | state->own.addCells(cells));
    }
    take(SheetStep::Replace{std::move(state)});
}

void SheetLines::replace(std::unique_ptr<SheetState> state)
{
    take(SheetStep::Replace{std::move(state)});
}

bool SheetLines::takeRecorded(SheetStepValue step)
{
    const auto isLine = [this](int line) { return line >= 0 && line < count(); };
    const auto fits = [&](const auto &recorded) {
        using Step = std::decay_t<decltype(recorded)>;
        if constexpr (std::is_same_v<Step, SheetStep::TakeOwn>)
            return isLine(recorded.line) && !isOwn(m_lines[std::size_t(recorded.line)]);
        else if constexpr (std::is_same_v<Step, SheetStep::SetOwnCell>)
            return recorded.slot < m_own.count() && recorded.column >= 0 && recorded.column < m_columns &&
                   m_own.cell(recorded.slot, recorded.column) != recorded.after;
        else if constexpr (std::is_same_v<Step, SheetStep::AppendOwn>)
            return recorded.cells.size() == m_columns;
        else if constexpr (std::is_same_v<Step, SheetStep::Exchange>)
            return isLine(recorded.first) && isLine(recorded.second) && recorded.first != recorded.second;
        else if constexpr (std::is_same_v<Step, SheetStep::Reprice>)
            return m_listed && !m_listed->repriced();
        else if constexpr (std::is_same_v<Step, SheetStep::Truncate>)
            return recorded.lines >= 0 && recorded.lines < count();
        else
            return recorded.other != nullptr && recorded.other->own.columns() == m_columns;
    };
    if (!std::visit(fits, step))
        return false;
    if (const auto *truncate = std::get_if<SheetStep::Truncate>(&step)) {
        resize(truncate->lines);  // the state cut from goes into the step as resize puts it
        return true;
    }
    std::visit([this](auto &recorded) { take(std::move(recorded)); }, step);
    return true;
}

std::unique_ptr<SheetState> SheetLines::releaseState()
{
    auto state = std::make_unique<SheetState>(m_columns);
    swapState(*state);
    return state;
}

template <class Step>
void SheetLines::take(Step step)
{
    apply(step);
    if (m_journal)
        m_journal->record(std::move(step));
}

void SheetLines::undo(SheetStepValue &step)
{
    std::visit([this](auto &taken) { revert(taken); }, step);
}

void SheetLines::redo(SheetStepValue &step)
{
    std::visit([this](auto &taken) { apply(taken); }, step);
}

void SheetLines::apply(SheetStep::TakeOwn &step)
{
    std::uint32_t &at = m_lines[std::size_t(step.line)];
    step.product = at;
    // Built cell by cell: a catalogue's text may hold a tab.
    QStringList texts;
    for (int column = 0; column < m_columns; ++column)
        texts.append(m_listed->cell(at, column));
    const QList<QStringView> cells(texts.cbegin(), texts.cend());
    leaveTotals(at);
    at = OwnLine | m_own.addCells(cells);
}

void SheetLines::revert(SheetStep::TakeOwn &step)
{
    m_own.removeLast();  // the line's own texts, the last taken
    m_lines[std::size_t(step.line)] = step.product;
    enterTotals(step.product);
}

void SheetLines::apply(SheetStep::SetOwnCell &step)
{
    step.before = m_own.cell(step.slot, step.column).toString();
    m_own.setCell(step.slot, step.column, step.after);
}

void SheetLines::revert(SheetStep::SetOwnCell &step)
{
    m_own.setCell(step.slot, step.column, step.before);
}

void SheetLines::apply(SheetStep::AppendOwn &step)
{
    const QList<QStringView> cells(step.cells.cbegin(), step.cells.cend());
    m_lines.push_back(OwnLine | m_own.addCells(cells));
}

void SheetLines::revert(SheetStep::AppendOwn &)
{
    m_lines.pop_back();
    m_own.removeLast();
}

void SheetLines::apply(SheetStep::Exchange &step)
{
    std::swap(m_lines[std::size_t(step.first)], m_lines[std::size_t(step.second)]);
}

void SheetLines::revert(SheetStep::Exchange &step)
{
    apply(step);
}

void SheetLines::apply(SheetStep::Reprice &step)
{
    step.readBackBefore = m_listedReadBack;
    m_listed->reprice();
    m_listedReadBack = m_listedRecalculated;
}

void SheetLines::revert(SheetStep::Reprice &step)
{
    m_listed->unreprice();
    m_listedReadBack = step.readBackBefore;
}

void SheetLines::apply(SheetStep::Truncate &step)
{
    swapState(*step.other);
}

void SheetLines::revert(SheetStep::Truncate &step)
{
    swapState(*step.other);
}

void SheetLines::apply(SheetStep::Replace &step)
{
    swapState(*step.other);
}

void SheetLines::revert(SheetStep::Replace &step)
{
    swapState(*step.other);
}

void SheetLines::swapState(SheetState &other)
{
    std::swap(m_lines, other.lines);
    std::swap(m_own, other.own);
    std::swap(m_listed, other.listed);
    std::swap(m_listedReadBack, other.listedReadBack);
    std::swap(m_listedRecalculated, other.listedRecalculated);
}

SheetState SheetLines::stateCopy() const
{
    SheetState copy(m_columns);
    copy.lines = m_lines;
    copy.own = m_own;
    copy.listed = m_listed;
    copy.listedReadBack = m_listedReadBack;
    copy.listedRecalculated = m_listedRecalculated;
    return copy;
}
