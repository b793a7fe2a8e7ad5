#pragma once
// A sheet read from a file (a .fiche file or a CSV), to take the place of the window's
// lines: every line's six cell texts and the two counters' captions, or the French reason
// the file was refused, which names the line of the file at fault.
//
// The texts are kept as the grid keeps its own lines: all cells one after the other in
// one text, with where each ends beside it, so that a sheet of 1 000 000 lines costs its
// texts and four bytes a cell.

#include "SheetTable.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

// What a file may hold before it is refused without being read further: far more than
// the 1 000 000-line sheets the program is built for (about 100 MB), and few enough that
// what the reader keeps stays within a desktop's memory whatever the file says.
inline constexpr qint64 MaxSheetFileBytes = qint64{512} * 1024 * 1024;
inline constexpr int MaxSheetLines = 10'000'000;

class SheetContents {
public:
    static constexpr int Columns = 6;

    int lineCount() const { return int(m_ends.size() / Columns); }
    // `column` 0 to 5 in the grid's order: reference, designation, quantity, price,
    // discount, line total.
    QStringView cell(int line, int column) const;

    // The captions of `nbr` and `totaux` to show.
    CounterCaptions counters;

    // Building, by the readers: cells in order, six to a line.
    void reserveText(qsizetype characters) { m_text.reserve(characters); }
    void appendCell(QStringView text);

private:
    QString m_text;
    std::vector<std::uint32_t> m_ends;  // where each cell ends in m_text
};

struct SheetReading {
    enum Kind { Read, Cancelled, Refused };
    Kind kind = Read;
    SheetContents sheet;  // for Read
    QString message;      // for Refused: in French, "ligne 12 : …" when a line is at fault
};

// A refusal for line `line` (counted from 1, as an editor counts them) of the file.
SheetReading refusedAt(qint64 line, const QString &reason);
// A refusal of the whole file (too large, unreadable).
SheetReading refused(const QString &reason);
