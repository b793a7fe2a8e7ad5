#include "ReferenceList.h"

#include <QComboBox>

ReferenceList::ReferenceList(QObject *parent)
    : QAbstractListModel(parent),
      m_reads(this, QStringLiteral("Des références de la liste ne peuvent pas être affichées : elles restent vides. "
                                   "Les autres s'affichent comme d'habitude."))
{}

ReferenceList &ReferenceList::of(const QComboBox &box)
{
    auto *list = qobject_cast<ReferenceList *>(box.model());
    Q_ASSERT(list);
    return *list;
}

int ReferenceList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_count;
}

QVariant ReferenceList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_reads([&] { return m_reference(index.row()); });
}

bool ReferenceList::removeRows(int row, int count, const QModelIndex &parent)
{
    // The box empties its list whole; a list shown from a reader has no part to remove.
    if (parent.isValid() || row != 0 || count != m_count)
        return false;
    if (count == 0)
        return true;
    beginRemoveRows({}, 0, count - 1);
    m_count = 0;
    m_reference = {};
    endRemoveRows();
    return true;
}

void ReferenceList::show(int count, Reference reference)
{
    Q_ASSERT(m_count == 0);
    if (count == 0)
        return;
    beginInsertRows({}, 0, count - 1);
    m_count = count;
    m_reference = std::move(reference);
    endInsertRows();
}
