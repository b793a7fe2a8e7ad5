#include "SheetCounters.h"

#include "NumberRules.h"

// The caption's plain digits read back are the count itself.
void ListingCounters::countLine()
{
    m_count = CheckedDouble(m_count + 1);
}

// The total is carried as the number its caption's text would read back as, which is what
// the next line adds to: the caption then reads what it would have read had each line
// written it.
void ListingCounters::add(const MixedValue &lineTotal)
{
    using namespace MixedArithmetic;
    m_sum = ToCurrency(Add(MixedValue(m_sumReadBack), lineTotal, m_rs), m_rs);
    m_sumReadBack = StandardReadBack(*m_sum);
}

std::optional<QString> ListingCounters::countCaption() const
{
    if (m_count == 0)
        return std::nullopt;
    return PlainNumberText(m_count, m_rs);
}

std::optional<QString> ListingCounters::sumCaption() const
{
    if (m_count == 0 || !m_sum)
        return std::nullopt;
    return FormatStandard(*m_sum, m_rs);
}

void CellRecount::addAmount(Currency readBack)
{
    m_sum = MixedArithmetic::Add(m_sum, MixedValue(readBack), m_rs);
}

QString CellRecount::countCaption(std::int32_t rows) const
{
    return PlainNumberText(CheckedAdd(rows, -1), m_rs);
}

QString CellRecount::sumCaption() const
{
    return FormatStandard(ToCurrency(m_sum, m_rs), m_rs);
}

void RecalculationCounters::countLines(std::uint32_t lines)
{
    m_lines = CheckedDouble(m_lines + lines);
}

void RecalculationCounters::addAmount(Currency lineTotal)
{
    m_sum = m_sum + lineTotal;
}

QString RecalculationCounters::countCaption() const
{
    return PlainNumberText(m_lines, m_rs);
}

QString RecalculationCounters::sumCaption() const
{
    return FormatStandard(m_sum, m_rs);
}
