#pragma once
// The sheet's lines as the grid shows them: one model row per sheet line (grid row 1 is
// model row 0), every cell a text, the column titles as the horizontal header. Cells are
// kept in one flat vector, six strings a line, so 100 000 lines cost one allocation per
// growth step rather than an object per cell.
//
// Two ways in: the program's own operations (text, setText, setLine, append, resize), which
// never count as a user edit, and setData from the view's editor, which does.

#include "ColumnFormat.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <vector>

class SheetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit SheetModel(const QList<ColumnSpec> &columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // The user's edit through the view's editor.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    int lineCount() const { return static_cast<int>(m_cells.size()) / m_columnCount; }
    const QString &text(int line, int column) const { return m_cells[cellAt(line, column)]; }
    void setText(int line, int column, const QString &text);
    void setLine(int line, const QStringList &cells);
    // Missing fields stay empty, fields beyond the last column are dropped.
    void append(const QStringList &fields);
    void resize(int lines);

    const QString &title(int column) const { return m_columns[column].title; }
    const QString &widthText(int column) const { return m_columns[column].widthText; }
    void setTitle(int column, const QString &title);

    // True once after each user edit that changed a cell's text.
    bool takeUserEdit();

private:
    std::size_t cellAt(int line, int column) const
    {
        return static_cast<std::size_t>(line) * m_columnCount + column;
    }

    QList<ColumnSpec> m_columns;
    int m_columnCount;
    std::vector<QString> m_cells;
    bool m_userEdit = false;
};
