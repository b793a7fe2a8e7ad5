#pragma once
// Editing the sheet the way a user does: a double-click on a cell, the new text typed over
// the old one, Enter to commit; and clicking a line to select it.

#include "LineGrid.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

namespace SheetTest {

inline QPoint cellCentre(LineGrid &grid, int row, int column)
{
    const QModelIndex cell = grid.model()->index(row - 1, column);  // row 0 is the header
    grid.scrollTo(cell);
    return grid.visualRect(cell).center();
}

inline void clickLine(LineGrid &grid, int row)
{
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(grid, row, 1));
}

inline void editCell(LineGrid &grid, int row, int column, const QString &text)
{
    const QPoint centre = cellCentre(grid, row, column);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centre);  // a double-click starts with a click
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centre);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY2(editor, "a double-click on a cell opens its editor");
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    for (const QChar character : text)  // typed one key at a time, accents included
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(character), Qt::NoModifier);
    // The grid commits the typed text once the Enter key's event is over.
    const QPointer<QLineEdit> open(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!open || !open->isVisible());
}

inline QStringList lineCells(const LineGrid &grid, int row)
{
    QStringList cells;
    for (int column = 0; column < grid.ColumnCount(); ++column)
        cells << grid.CellText(row, column);
    return cells;
}

}  // namespace SheetTest
