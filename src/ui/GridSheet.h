#pragma once
// The window's grid read as a SheetTable, through the grid's own operations only. The
// column titles come without the blanks that place them in the grid's header: a copy, a
// file or a page sets them out its own way.

#include "LineGrid.h"
#include "SheetTable.h"

class GridSheet : public SheetTable {
public:
    explicit GridSheet(const LineGrid &grid) : m_grid(grid) {}

    int rowCount() const override { return m_grid.RowCount(); }
    int columnCount() const override { return m_grid.ColumnCount(); }
    QString cellText(int row, int column) const override
    {
        return row == 0 ? m_grid.CellText(row, column).trimmed() : m_grid.CellText(row, column);
    }

private:
    const LineGrid &m_grid;
};
