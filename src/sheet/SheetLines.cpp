#include "SheetLines.h"

#include "ErrorMode.h"
#include "LineRules.h"
#include "NumberRules.h"
#include "SheetColumns.h"

#include <algorithm>

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
    std::uint32_t &at = m_lines[std::size_t(line)];
    if (!isOwn(at)) {
        // Built cell by cell: a catalogue's text may hold a tab.
        const std::uint32_t slot = m_own.add(QString());
        for (int c = 0; c < m_columns; ++c)
            m_own.setCell(slot, c, m_listed->cell(at, c));
        leaveTotals(at);
        at = OwnLine | slot;
    }
    m_own.setCell(slotOf(at), column, text);
}

void SheetLines::append(const QString &tabSeparated)
{
    m_lines.push_back(OwnLine | m_own.add(tabSeparated));
}

void SheetLines::appendListed(std::shared_ptr<const ProductList> products, const RegionalSettings &rs,
                              ListingCounters &counters)
{
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
    std::swap(m_lines[std::size_t(first)], m_lines[std::size_t(second)]);
}

void SheetLines::resize(int lines)
{
    if (lines >= count()) {
        while (count() < lines)
            append(QString());
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
        m_own.setCell(slot, SheetColumn::Price, line.price);
        m_own.setCell(slot, SheetColumn::LineTotal, line.lineTotalText);
        // Beyond Currency: the line adds nothing.
        ownAmounts[slot] = unlessItFails([&] { return ToCurrency(line.lineTotal); });
        if (ownAmounts[slot])
            total.add(*ownAmounts[slot]);
    }
    if (m_listed) {
        total += m_listedRecalculated;
        m_listed->reprice();
        m_listedReadBack = m_listedRecalculated;
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
