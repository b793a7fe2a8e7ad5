#include "SheetModel.h"

#include <algorithm>
#include <utility>

SheetModel::SheetModel(const QList<ColumnSpec> &columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(columns), m_columnCount(static_cast<int>(columns.size()))
{
}

int SheetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : lineCount();
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
    m_cells[cellAt(index.row(), index.column())] = typed;
    m_userEdit = true;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void SheetModel::setText(int line, int column, const QString &text)
{
    m_cells[cellAt(line, column)] = text;
    const QModelIndex cell = index(line, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
}

void SheetModel::setLine(int line, const QStringList &cells)
{
    const int count = std::min(m_columnCount, static_cast<int>(cells.size()));
    for (int column = 0; column < count; ++column)
        m_cells[cellAt(line, column)] = cells[column];
    emit dataChanged(index(line, 0), index(line, m_columnCount - 1), {Qt::DisplayRole, Qt::EditRole});
}

void SheetModel::append(const QStringList &fields)
{
    const int line = lineCount();
    beginInsertRows({}, line, line);
    for (int column = 0; column < m_columnCount; ++column)
        m_cells.push_back(column < fields.size() ? fields[column] : QString());
    endInsertRows();
}

void SheetModel::resize(int lines)
{
    const int current = lineCount();
    if (lines < current) {
        beginRemoveRows({}, lines, current - 1);
        m_cells.resize(cellAt(lines, 0));
        endRemoveRows();
    } else if (lines > current) {
        beginInsertRows({}, current, lines - 1);
        m_cells.resize(cellAt(lines, 0));
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
