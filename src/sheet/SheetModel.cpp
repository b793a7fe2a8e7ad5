#include "SheetModel.h"

#include <algorithm>
#include <utility>

SheetModel::SheetModel(const QList<ColumnSpec> &columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(columns), m_columnCount(static_cast<int>(columns.size()))
{}

int SheetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_announcedLines;
}

int SheetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columnCount;
}

QVariant SheetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[index.column()].alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_columns[section].title;
    case Qt::AccessibleTextRole:  // a screen reader reads the title, not the blanks that place it
        return m_columns[section].title.trimmed();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[section].alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

Qt::ItemFlags SheetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool SheetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString typed = value.toString();
    if (typed == text(index.row(), index.column()))
        return true;
    replaceCell(index.row(), index.column(), typed);
    m_userEdit = true;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QString SheetModel::text(int line, int column) const
{
    return cellView(line, column).toString();
}

QStringView SheetModel::cellView(int line, int column) const
{
    const int from = start(line, column);
    return QStringView(m_texts[line]).sliced(from, start(line, column + 1) - 1 - from);
}

void SheetModel::pushLine(const QString &tabSeparated)
{
    // Cell c ends at the line's c-th tab, the last cell at the end of the text; missing
    // cells are added as empty ones, so that every line holds all its columns. One pass:
    // the listing appends 100 000 lines.
    QString text = tabSeparated;
    m_starts.push_back(0);
    int separators = 0;
    const QChar *chars = text.constData();
    for (qsizetype i = 0; i < text.size() && separators < m_columnCount; ++i) {
        if (chars[i] == u'\t') {
            m_starts.push_back(static_cast<int>(i) + 1);
            ++separators;
        }
    }
    for (; separators < m_columnCount - 1; ++separators) {
        text += u'\t';
        m_starts.push_back(static_cast<int>(text.size()));
    }
    if (separators < m_columnCount)
        m_starts.push_back(static_cast<int>(text.size()) + 1);
    m_texts.push_back(text);
}

void SheetModel::replaceCell(int line, int column, const QString &text)
{
    const int from = start(line, column);
    const int length = start(line, column + 1) - 1 - from;
    m_texts[line].replace(from, length, text);
    const int shift = static_cast<int>(text.size()) - length;
    for (int next = column + 1; next <= m_columnCount; ++next)
        start(line, next) += shift;
}

void SheetModel::lineChanged(int line, int firstColumn, int lastColumn)
{
    if (line >= m_announcedLines)
        return;  // the view will hear of the line when it hears of its insertion
    if (m_holds == 0) {
        emit dataChanged(index(line, firstColumn), index(line, lastColumn), {Qt::DisplayRole, Qt::EditRole});
        return;
    }
    m_firstChanged = m_firstChanged < 0 ? line : std::min(m_firstChanged, line);
    m_lastChanged = std::max(m_lastChanged, line);
}

void SheetModel::setText(int line, int column, const QString &text)
{
    // A recalculation writes every line's price and total, mostly as they already read.
    if (cellView(line, column) == text)
        return;
    replaceCell(line, column, text);
    lineChanged(line, column, column);
}

void SheetModel::exchangeLines(int first, int second)
{
    std::swap(m_texts[first], m_texts[second]);
    const auto bounds = [this](int line) { return m_starts.begin() + std::ptrdiff_t(line) * (m_columnCount + 1); };
    std::swap_ranges(bounds(first), bounds(first + 1), bounds(second));
    lineChanged(first, 0, m_columnCount - 1);
    lineChanged(second, 0, m_columnCount - 1);
}

void SheetModel::append(const QString &tabSeparated)
{
    pushLine(tabSeparated);
    if (m_holds == 0)
        announceHeldChanges();
}

void SheetModel::resize(int lines)
{
    // Rows are removed or added among the rows the view knows of.
    announceHeldChanges();
    const int current = lineCount();
    if (lines < current) {
        beginRemoveRows({}, lines, current - 1);
        m_texts.resize(lines);
        m_starts.resize(static_cast<std::size_t>(lines) * (m_columnCount + 1));
        m_announcedLines = lines;
        endRemoveRows();
    } else if (lines > current) {
        for (int line = current; line < lines; ++line)
            pushLine(QString());
        announceHeldChanges();
    }
}

void SheetModel::reserveLines(int lines)
{
    m_texts.reserve(static_cast<std::size_t>(lines));
    m_starts.reserve(static_cast<std::size_t>(lines) * (m_columnCount + 1));
}

void SheetModel::holdNotifications()
{
    ++m_holds;
}

void SheetModel::releaseNotifications()
{
    if (--m_holds == 0)
        announceHeldChanges();
}

void SheetModel::announceHeldChanges()
{
    if (m_firstChanged >= 0) {
        const QModelIndex first = index(m_firstChanged, 0);
        const QModelIndex last = index(m_lastChanged, m_columnCount - 1);
        m_firstChanged = m_lastChanged = -1;
        emit dataChanged(first, last, {Qt::DisplayRole, Qt::EditRole});
    }
    if (lineCount() > m_announcedLines) {
        beginInsertRows({}, m_announcedLines, lineCount() - 1);
        m_announcedLines = lineCount();
        endInsertRows();
    }
}

void SheetModel::setTitle(int column, const QString &title)
{
    m_columns[column].title = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

bool SheetModel::takeUserEdit()
{
    return std::exchange(m_userEdit, false);
}
