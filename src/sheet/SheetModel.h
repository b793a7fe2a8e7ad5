#pragma once
// The sheet's lines as the grid shows them: one model row per sheet line (grid row 1 is
// model row 0), every cell a text, the column titles as the horizontal header. The lines
// themselves are SheetLines: a listed line's texts are figured when the view asks for them.
//
// Two ways in: the program's own operations (text, setText, exchangeLines, append,
// appendListed, resize, recalculate), which never count as a user edit, and setData from
// the view's editor, which does.
//
// A handler that appends or rewrites many lines holds the view's notifications meanwhile:
// the view then hears of all the appended lines as one insertion and of all the rewritten
// ones as one change. No event is handled while a handler runs, so the view shows exactly
// what a notification per line would have made it show.

#include "ColumnFormat.h"
#include "SheetLines.h"

#include <QAbstractTableModel>
#include <QList>
#include <functional>
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

    // Every line, including those appended while notifications are held.
    int lineCount() const { return m_lines.count(); }
    QString text(int line, int column) const { return m_lines.cell(line, column); }
    void setText(int line, int column, const QString &text);
    // Two lines change places, every cell with its line.
    void exchangeLines(int first, int second);
    // The fields separated by tabs fill the columns from the first; missing fields stay
    // empty, fields beyond the last column are dropped.
    void append(const QString &tabSeparated);
    // See SheetLines::appendListed.
    void appendListed(std::shared_ptr<const ProductList> products, const RegionalSettings &rs,
                      ListingCounters &counters);
    void resize(int lines);
    // See SheetLines::replace.
    void replace(int lines, const SheetLines::CellSource &cell);

    // See SheetLines: the view starts over for each.
    void replace(std::unique_ptr<SheetState> state);
    bool takeRecorded(SheetStepValue step);
    std::unique_ptr<SheetState> releaseState();

    // The steps of one change (SheetSteps.h) taken back, the last first, or done again, the
    // first first; the view hears of what they changed, the journal nothing.
    void undo(std::vector<SheetStepValue> &steps);
    void redo(std::vector<SheetStepValue> &steps);
    void setJournal(SheetJournal *journal) { m_lines.setJournal(journal); }
    const SheetLines &lines() const { return m_lines; }

    // See SheetLines: the whole sheet counted as adding a line counts it, and repriced and
    // counted as a cell edit does.
    CellRecount recount(const RegionalSettings &rs) const { return m_lines.recount(rs); }
    RecalculationCounters recalculate(const RegionalSettings &rs);

    const QString &title(int column) const { return m_columns[column].title; }
    const QString &widthText(int column) const { return m_columns[column].widthText; }
    void setTitle(int column, const QString &title);

    // True once after each user edit that changed a cell's text.
    bool takeUserEdit();

    // Between these two, the program's operations tell the view nothing; the release tells
    // it of everything at once. Holds nest; the outermost release tells.
    void holdNotifications();
    void releaseNotifications();

private:
    void linesChanged(int firstLine, int lastLine);
    // Tells the view of the lines appended and rewritten since notifications were held.
    void announceHeldChanges();
    // A step of the history, told to the view as it happens; false when it only changed
    // texts, which the caller tells once for all.
    bool stepBack(SheetStepValue &step);
    bool stepAgain(SheetStepValue &step);
    // Steps that replace the whole sheet: the view starts over.
    static bool replacesSheet(const SheetStepValue &step);
    void resetTo(const std::function<void()> &change);

    QList<ColumnSpec> m_columns;
    int m_columnCount;
    SheetLines m_lines;
    bool m_userEdit = false;

    int m_holds = 0;
    int m_announcedLines = 0;  // the lines the view knows of
    int m_firstChanged = -1;   // rewritten lines the view has not heard of yet
    int m_lastChanged = -1;
};
