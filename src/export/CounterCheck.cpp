#include "CounterCheck.h"

#include "NumberRules.h"

namespace {

__int128 sizeOf(__int128 amount)
{
    return amount < 0 ? -amount : amount;
}

}  // namespace

void CounterCheck::addLine(QStringView discount, QStringView lineTotal)
{
    m_recount.addLine(lineTotal);
    m_noDiscount = m_noDiscount && discount.isEmpty();
    if (const std::optional<Currency> amount = lineTotalReadBack(lineTotal, m_rs)) {
        m_sum += amount->tenThousandths;
        m_sizes += sizeOf(amount->tenThousandths);
    }
}

bool CounterCheck::withinListingRounding(const QString &grandTotal) const
{
    const std::optional<Currency> shown = lineTotalReadBack(grandTotal, m_rs);
    if (!shown || FormatStandard(*shown, m_rs) != grandTotal)
        return false;
    // One cent per line (100 ten-thousandths), and what fifteen digits cannot hold of the
    // largest amount the running sum can have passed through.
    const __int128 largest = sizeOf(shown->tenThousandths) + m_sizes;
    const __int128 perLine = 100 + largest / 100'000'000'000'000 + 1;
    return sizeOf(shown->tenThousandths - m_sum) <= perLine * m_recount.lines();
}

std::optional<QString> CounterCheck::mismatch(const CounterCaptions &counters) const
{
    const int lines = m_recount.lines();
    const CounterCaptions recounted = m_recount.captions();
    if (counters.lineCount != recounted.lineCount)
        return QStringLiteral("le nombre de lignes « %1 » n'est pas celui des lignes du fichier (%2)")
            .arg(counters.lineCount, recounted.lineCount);
    if (counters.grandTotal == recounted.grandTotal)
        return std::nullopt;
    if (lines == 0 && counters.grandTotal == QStringLiteral("0"))
        return std::nullopt;
    if (m_noDiscount && withinListingRounding(counters.grandTotal))
        return std::nullopt;
    return QStringLiteral("le total « %1 » n'est pas la somme des totaux des lignes (%2)")
        .arg(counters.grandTotal, recounted.grandTotal);
}
