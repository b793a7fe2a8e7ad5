#include "ReferenceList.h"

#include <QComboBox>

ReferenceList::ReferenceList(QObject *parent) : QAbstractListModel(parent)
{}

ReferenceList &ReferenceList::of(const QComboBox &box)
{
    auto *list = qobject_cast<ReferenceList *>(box.model());
    Q_ASSERT(list);
    return *list;
}

int ReferenceList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_references.size());
}

QVariant ReferenceList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_references[index.row()];
}

bool ReferenceList::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count < 0 || row + count > m_references.size())
        return false;
    if (count == 0)
        return true;
    beginRemoveRows({}, row, row + count - 1);
    m_references.remove(row, count);
    endRemoveRows();
    return true;
}

void ReferenceList::append(const QStringList &references)
{
    if (references.isEmpty())
        return;
    const auto first = static_cast<int>(m_references.size());
    beginInsertRows({}, first, first + static_cast<int>(references.size()) - 1);
    if (m_references.isEmpty())
        m_references = references;  // shared, not copied: the usual case, a whole catalogue at once
    else
        m_references += references;
    endInsertRows();
}
