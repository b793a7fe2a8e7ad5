#pragma once
// The sheet's grid: a header row (row 0) and the sheet's lines (rows 1 and on), every cell
// a text. The operations are those the handlers use; the rows live in a compact table
// model of our own, so a sheet of 100 000 lines stays light.
//
// Row numbers count the header row, exactly as the handlers expect: RowCount() is the
// number of lines + 1, CellText(0, c) is the title of column c.

#include <QString>
#include <QTableView>
#include <cstdint>

class SheetModel;

class LineGrid : public QTableView {
    Q_OBJECT

public:
    // `columnFormat`: the six segments separated by "|", each an optional justification
    // mark ("^" centres) then the title with its surrounding blanks; a column is as wide as
    // its whole segment in the grid's font.
    explicit LineGrid(const QString &columnFormat, QWidget *parent = nullptr);
    ~LineGrid() override;

    std::int32_t RowCount() const;
    // Writing 1 removes every line and keeps the header row.
    void setRowCount(std::int32_t rows);
    std::int32_t ColumnCount() const;
    // The row of the user's current selection (0 when none).
    std::int32_t CurrentRow() const;
    void setCurrentRow(std::int32_t row);

    // Program reads and writes; a write never raises CellEdited. Out-of-range rows or
    // columns raise a RuntimeError (the grid's "subscript out of range").
    QString CellText(std::int32_t row, std::int32_t column) const;
    // No handler writes a single cell today (they work on the whole sheet); the write stays
    // beside the read so that a test can put a cell in a state no keystroke leaves, such as
    // a line total that is not a number, and see what the handlers make of it.
    void setCellText(std::int32_t row, std::int32_t column, const QString &text);
    // Two lines change places, every cell with its line.
    void exchangeRows(std::int32_t row, std::int32_t otherRow);

    // Adds a line after the last; the tab-separated fields fill its columns from 0 on.
    void AppendRow(const QString &tabSeparated);

    // The sheet behind the grid, for the handlers that work on every line at once: the
    // listing, the counts, the recalculation.
    SheetModel &sheet() { return *m_model; }

signals:
    // The user has changed a cell's text (raised after the cell holds the new text).
    void CellEdited();

protected:
    void commitData(QWidget *editor) override;
    void changeEvent(QEvent *event) override;

private:
    void checkCell(std::int32_t row, std::int32_t column) const;
    void sizeColumnsToFormat();

    SheetModel *m_model;
};
