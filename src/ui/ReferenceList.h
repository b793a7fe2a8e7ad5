#pragma once
// The list of the reference box `Ref`: every product reference of the catalogue. A combo
// box's own list keeps an item object, with a table of roles, per entry, and its texts:
// for 1 000 000 references hundreds of megabytes and a second at every start. This one
// keeps no text: it asks for a reference when the list shows it, and tells the box of a
// whole list at once, as the box's own addItems does.
//
// The box's clear() empties it; entries come in through show() alone, not through the
// box's addItem or insertItem. A reference that cannot be read is shown empty and told once
// (ViewReads.h).

#include "ViewReads.h"

#include <QAbstractListModel>
#include <functional>

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

    // The reference of entry `row`, from 0.
    using Reference = std::function<QString(int row)>;
    // Shows `count` references after the last (the list is empty when the window loads).
    void show(int count, Reference reference);

private:
    int m_count = 0;
    Reference m_reference;
    ViewReads m_reads;
};
