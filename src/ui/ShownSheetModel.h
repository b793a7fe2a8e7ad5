#pragma once
// The sheet's model as the grid's view reaches it: its reads and the user's edits come from
// Qt, while it paints or commits an editor, and a failure may not go back there. A cell that
// cannot be read is drawn empty and told once (ViewReads.h); an edit that cannot be made
// leaves the cell as it was, and is told. The handlers use the sheet itself (SheetModel.h).

#include "SheetModel.h"
#include "ViewReads.h"

class ShownSheetModel : public SheetModel {
    Q_OBJECT

public:
    explicit ShownSheetModel(const QList<ColumnSpec> &columns, QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    ViewReads m_reads;
};
