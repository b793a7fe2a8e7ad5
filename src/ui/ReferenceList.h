#pragma once
// The list of the reference box `Ref`: every product reference of the catalogue, as plain
// texts. A combo box's own list keeps an item object, with a table of roles, per entry:
// for 100 000 references some 20 MB and a tenth of a second at every start. This one keeps
// the texts themselves (shared with the catalogue's strings) and tells the box of a whole
// list at once, as the box's own addItems does.
//
// The box's clear() empties it; entries come in through append() alone, not through the
// box's addItem or insertItem.

#include <QAbstractListModel>
#include <QStringList>

class QComboBox;

class ReferenceList : public QAbstractListModel {
    Q_OBJECT

public:
    explicit ReferenceList(QObject *parent = nullptr);

    // The list of `box`, which must have one.
    static ReferenceList &of(const QComboBox &box);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

    // Adds the references after the last, in their order.
    void append(const QStringList &references);

private:
    QStringList m_references;
};
