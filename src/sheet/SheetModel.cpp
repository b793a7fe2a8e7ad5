#include "SheetModel.h"

#include <QScopeGuard>
#include <algorithm>
#include <utility>

SheetModel::SheetModel(const QList<ColumnSpec> &columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(columns), m_columnCount(static_cast<int>(columns.size())),
      m_lines(m_columnCount)
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
    m_lines.setCell(index.row(), index.column(), typed);
    m_userEdit = true;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void SheetModel::linesChanged(int firstLine, int lastLine)
{
    lastLine = std::min(lastLine, m_announcedLines - 1);
    if (firstLine > lastLine)
        return;  // the view will hear of these lines when it hears of their insertion
    if (m_holds == 0) {
        emit dataChanged(index(firstLine, 0), index(lastLine, m_columnCount - 1), {Qt::DisplayRole, Qt::EditRole});
        return;
    }
    m_firstChanged = m_firstChanged < 0 ? firstLine : std::min(m_firstChanged, firstLine);
    m_lastChanged = std::max(m_lastChanged, lastLine);
}

void SheetModel::setText(int line, int column, const QString &text)
{
    // A program write of what the cell already reads changes nothing.
    if (this->text(line, column) == text)
        return;
    m_lines.setCell(line, column, text);
    linesChanged(line, line);
}

void SheetModel::exchangeLines(int first, int second)
{
    m_lines.exchange(first, second);
    linesChanged(first, first);
    linesChanged(second, second);
}

void SheetModel::append(const QString &tabSeparated)
{
    m_lines.append(tabSeparated);
    if (m_holds == 0)
        announceHeldChanges();
}

void SheetModel::appendListed(std::shared_ptr<const ProductList> products, const RegionalSettings &rs,
                              ListingCounters &counters)
{
    holdNotifications();
    const auto announce = qScopeGuard([this] { releaseNotifications(); });  // a failure too
    m_lines.appendListed(std::move(products), rs, counters);
}

void SheetModel::resize(int lines)
{
    // Rows are removed or added among the rows the view knows of.
    announceHeldChanges();
    const int current = lineCount();
    if (lines < current) {
        beginRemoveRows({}, lines, current - 1);
        m_lines.resize(lines);
        m_announcedLines = lines;
        endRemoveRows();
    } else if (lines > current) {
        m_lines.resize(lines);
        announceHeldChanges();
    }
}

void SheetModel::replace(int lines, const SheetLines::CellSource &cell)
{
    resetTo([&] { m_lines.replace(lines, cell); });
}

void SheetModel::replace(std::unique_ptr<SheetState> state)
{
    resetTo([&] { m_lines.replace(std::move(state)); });
}

bool SheetModel::takeRecorded(SheetStepValue step)
{
    bool taken = false;
    resetTo([&] { taken = m_lines.takeRecorded(std::move(step)); });
    return taken;
}

std::unique_ptr<SheetState> SheetModel::releaseState()
{
    std::unique_ptr<SheetState> state;
    resetTo([&] { state = m_lines.releaseState(); });
    return state;
}

void SheetModel::undo(std::vector<SheetStepValue> &steps)
{
    bool textsChanged = false;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        textsChanged = stepBack(*step) || textsChanged;
    if (textsChanged)
        linesChanged(0, lineCount() - 1);
}

void SheetModel::redo(std::vector<SheetStepValue> &steps)
{
    bool textsChanged = false;
    for (SheetStepValue &step : steps)
        textsChanged = stepAgain(step) || textsChanged;
    if (textsChanged)
        linesChanged(0, lineCount() - 1);
}

bool SheetModel::replacesSheet(const SheetStepValue &step)
{
    return std::holds_alternative<SheetStep::Truncate>(step) || std::holds_alternative<SheetStep::Replace>(step);
}

bool SheetModel::stepBack(SheetStepValue &step)
{
    if (replacesSheet(step)) {
        resetTo([&] { m_lines.undo(step); });
        return false;
    }
    if (std::holds_alternative<SheetStep::AppendOwn>(step)) {
        const int last = lineCount() - 1;
        beginRemoveRows({}, last, last);
        m_lines.undo(step);
        m_announcedLines = lineCount();
        endRemoveRows();
        return false;
    }
    m_lines.undo(step);
    return true;
}

bool SheetModel::stepAgain(SheetStepValue &step)
{
    if (replacesSheet(step)) {
        resetTo([&] { m_lines.redo(step); });
        return false;
    }
    m_lines.redo(step);
    if (std::holds_alternative<SheetStep::AppendOwn>(step)) {
        announceHeldChanges();
        return false;
    }
    return true;
}

void SheetModel::resetTo(const std::function<void()> &change)
{
    announceHeldChanges();
    beginResetModel();
    const auto told = qScopeGuard([this] {
        m_announcedLines = lineCount();
        m_firstChanged = m_lastChanged = -1;
        endResetModel();
    });
    change();
}

RecalculationCounters SheetModel::recalculate(const RegionalSettings &rs)
{
    RecalculationCounters counters = m_lines.recalculate(rs);
    linesChanged(0, lineCount() - 1);  // the view asks again for what it shows
    return counters;
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
