#include "OpenedSheet.h"

QStringView SheetContents::cell(int line, int column) const
{
    const std::size_t index = std::size_t(line) * Columns + std::size_t(column);
    const std::uint32_t start = index == 0 ? 0 : m_ends[index - 1];
    return QStringView(m_text).sliced(start, m_ends[index] - start);
}

void SheetContents::appendCell(QStringView text)
{
    m_text += text;
    m_ends.push_back(std::uint32_t(m_text.size()));
}

SheetReading refused(const QString &reason)
{
    SheetReading refusal;
    refusal.kind = SheetReading::Refused;
    refusal.message = reason;
    return refusal;
}

SheetReading refusedAt(qint64 line, const QString &reason)
{
    return refused(QStringLiteral("ligne %1 : %2").arg(line).arg(reason));
}
