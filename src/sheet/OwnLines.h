#pragma once
// Lines that hold their own texts: those added from the entry fields, those the user or the
// program rewrote. Each is kept as the one text it was appended as, with the bounds of its
// cells beside it, all lines' bounds in one array: a sheet may hold 100 000 of them, and a
// line then costs one string, not one per cell. A cell is cut out of its line when read;
// writing a cell splices the line and moves the bounds after it, so a cell may hold any
// text, tabs included.

#include <QList>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

class OwnLines {
public:
    explicit OwnLines(int columns) : m_columns(columns) {}

    std::uint32_t count() const { return std::uint32_t(m_texts.size()); }
    int columns() const { return m_columns; }

    // The fields separated by tabs fill the cells from the first; missing fields stay
    // empty, fields beyond the last column are dropped. Returns the new line's number.
    std::uint32_t add(const QString &tabSeparated);
    // A new line of exactly these cells (one per column), whatever they hold.
    std::uint32_t addCells(const QList<QStringView> &cells);
    // The last line added goes.
    void removeLast();
    QStringView cell(std::uint32_t line, int column) const;
    void setCell(std::uint32_t line, int column, const QString &text);

    void reserve(std::size_t lines);
    // Keeps only `kept` (line numbers, in the order they are to take), renumbered from 0.
    void keepOnly(const std::vector<std::uint32_t> &kept);

private:
    // Cell c of line l runs from start(l, c) to start(l, c + 1) − 1, the separator after it.
    int &start(std::uint32_t line, int column) { return m_starts[std::size_t(line) * (m_columns + 1) + column]; }
    int start(std::uint32_t line, int column) const { return m_starts[std::size_t(line) * (m_columns + 1) + column]; }

    int m_columns;
    std::vector<QString> m_texts;  // one per line
    std::vector<int> m_starts;     // columns + 1 per line
};
