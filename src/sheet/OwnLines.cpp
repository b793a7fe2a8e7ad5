#include "OwnLines.h"

std::uint32_t OwnLines::add(const QString &tabSeparated)
{
    // Cell c ends at the line's c-th tab, the last cell at the end of the text; missing
    // cells are added as empty ones, so that every line holds all its columns. One pass.
    QString text = tabSeparated;
    m_starts.push_back(0);
    int separators = 0;
    const QChar *chars = text.constData();
    for (qsizetype i = 0; i < text.size() && separators < m_columns; ++i) {
        if (chars[i] == u'\t') {
            m_starts.push_back(static_cast<int>(i) + 1);
            ++separators;
        }
    }
    for (; separators < m_columns - 1; ++separators) {
        text += u'\t';
        m_starts.push_back(static_cast<int>(text.size()));
    }
    if (separators < m_columns)
        m_starts.push_back(static_cast<int>(text.size()) + 1);
    m_texts.push_back(text);
    return count() - 1;
}

std::uint32_t OwnLines::addCells(const QList<QStringView> &cells)
{
    QString text;
    m_starts.push_back(0);
    for (int column = 0; column < m_columns; ++column) {
        if (column > 0)
            text += u'\t';
        if (column < cells.size())
            text += cells[column];
        m_starts.push_back(static_cast<int>(text.size()) + 1);
    }
    m_texts.push_back(text);
    return count() - 1;
}

void OwnLines::removeLast()
{
    m_texts.pop_back();
    m_starts.resize(m_starts.size() - std::size_t(m_columns + 1));
}

QStringView OwnLines::cell(std::uint32_t line, int column) const
{
    const int from = start(line, column);
    return QStringView(m_texts[line]).sliced(from, start(line, column + 1) - 1 - from);
}

void OwnLines::setCell(std::uint32_t line, int column, const QString &text)
{
    const int from = start(line, column);
    const int length = start(line, column + 1) - 1 - from;
    m_texts[line].replace(from, length, text);
    const int shift = static_cast<int>(text.size()) - length;
    for (int next = column + 1; next <= m_columns; ++next)
        start(line, next) += shift;
}

void OwnLines::reserve(std::size_t lines)
{
    m_texts.reserve(lines);
    m_starts.reserve(lines * std::size_t(m_columns + 1));
}

void OwnLines::keepOnly(const std::vector<std::uint32_t> &kept)
{
    std::vector<QString> texts;
    std::vector<int> starts;
    texts.reserve(kept.size());
    starts.reserve(kept.size() * std::size_t(m_columns + 1));
    for (const std::uint32_t line : kept) {
        texts.push_back(std::move(m_texts[line]));
        for (int column = 0; column <= m_columns; ++column)
            starts.push_back(start(line, column));
    }
    m_texts = std::move(texts);
    m_starts = std::move(starts);
}
