#include "LineTotalRecount.h"

#include "ErrorMode.h"
#include "LocaleScanner.h"

std::optional<Currency> lineTotalReadBack(QStringView cell, const RegionalSettings &rs)
{
    DecimalNumber number;
    if (!ScanLocaleNumber(cell, rs, number))
        return std::nullopt;
    // Beyond Currency, ReadLocaleCurrency fails: the line adds nothing.
    return unlessItFails([&] { return number.toCurrency(); });
}

void LineTotalRecount::addLine(QStringView lineTotal)
{
    ++m_lines;
    // A sum that would leave Currency: this line adds nothing, as when adding a line.
    if (const std::optional<Currency> amount = lineTotalReadBack(lineTotal, m_rs))
        unlessItFails([&] { m_recount.addAmount(*amount); });
}

CounterCaptions LineTotalRecount::captions() const
{
    return {m_recount.countCaption(m_lines + 1), m_recount.sumCaption()};
}
