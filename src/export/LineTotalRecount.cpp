#include "LineTotalRecount.h"

#include "LocaleScanner.h"
#include "RuntimeError.h"

std::optional<Currency> lineTotalReadBack(QStringView cell, const RegionalSettings &rs)
{
    DecimalNumber number;
    if (!ScanLocaleNumber(cell, rs, number))
        return std::nullopt;
    try {
        return number.toCurrency();
    } catch (const RuntimeError &) {
        return std::nullopt;  // beyond Currency: ReadLocaleCurrency fails, the line adds nothing
    }
}

void LineTotalRecount::addLine(QStringView lineTotal)
{
    ++m_lines;
    if (const std::optional<Currency> amount = lineTotalReadBack(lineTotal, m_rs)) {
        try {
            m_recount.addAmount(*amount);
        } catch (const RuntimeError &) {
            // A sum that would leave Currency: this line adds nothing, as when adding a line.
        }
    }
}

CounterCaptions LineTotalRecount::captions() const
{
    return {m_recount.countCaption(m_lines + 1), m_recount.sumCaption()};
}
