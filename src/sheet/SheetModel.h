#pragma once
// The sheet's lines as the grid shows them: one model row per sheet line (grid row 1 is
// model row 0), every cell a text, the column titles as the horizontal header.
//
// A line is kept as the one text it was appended as, with the bounds of its cells beside
// it: the listing appends 100 000 tab-separated lines at start, and keeping each as it
// comes (Qt shares the string) costs no allocation per cell. A cell is cut out of its line
// when read; writing a cell splices the line and moves the bounds after it, so a cell may
// hold any text, tabs included.
//
// Two ways in: the program's own operations (text, setText, exchangeLines, append, resize), which
// never count as a user edit, and setData from the view's editor, which does.
//
// A handler that appends or rewrites every line of a big sheet holds the view's
// notifications meanwhile: the view then hears of all the appended lines as one insertion
// and of all the rewritten ones as one change. No event is handled while a handler runs, so
// the view shows exactly what a notification per line would have made it show.

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

    // Every line, including those appended while notifications are held.
    int lineCount() const { return static_cast<int>(m_texts.size()); }
    QString text(int line, int column) const;
    void setText(int line, int column, const QString &text);
    // Two lines change places, every cell with its line.
    void exchangeLines(int first, int second);
    // The fields separated by tabs fill the columns from the first; missing fields stay
    // empty, fields beyond the last column are dropped.
    void append(const QString &tabSeparated);
    void resize(int lines);
    // Room for `lines` lines in all, so that appending that many moves nothing.
    void reserveLines(int lines);

    const QString &title(int column) const { return m_columns[column].title; }
    const QString &widthText(int column) const { return m_columns[column].widthText; }
    void setTitle(int column, const QString &title);

    // True once after each user edit that changed a cell's text.
    bool takeUserEdit();

    // Between these two, append, setText and exchangeLines tell the view nothing; the release
    // tells it of everything at once. Holds nest; the outermost release tells.
    void holdNotifications();
    void releaseNotifications();

private:
    // Cell c of line l runs from start(l, c) to start(l, c + 1) − 1, the separator after it.
    int &start(int line, int column) { return m_starts[static_cast<std::size_t>(line) * (m_columnCount + 1) + column]; }
    int start(int line, int column) const
    {
        return m_starts[static_cast<std::size_t>(line) * (m_columnCount + 1) + column];
    }
    QStringView cellView(int line, int column) const;
    void pushLine(const QString &tabSeparated);
    void replaceCell(int line, int column, const QString &text);
    void lineChanged(int line, int firstColumn, int lastColumn);
    // Tells the view of the lines appended and rewritten since notifications were held.
    void announceHeldChanges();

    QList<ColumnSpec> m_columns;
    int m_columnCount;
    std::vector<QString> m_texts;  // one per line
    std::vector<int> m_starts;     // columnCount + 1 per line
    bool m_userEdit = false;

    int m_holds = 0;
    int m_announcedLines = 0;  // the lines the view knows of
    int m_firstChanged = -1;   // rewritten lines the view has not heard of yet
    int m_lastChanged = -1;
};
