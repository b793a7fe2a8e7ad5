#pragma once
// The counters as adding a line sets them: every line-total cell read back in the sheet's
// order and summed (CellRecount), a cell that is no number adding nothing. Fed with the
// cells' texts as a file gives them, without an exception for each cell that is no number.

#include "RegionalSettings.h"
#include "SheetCounters.h"
#include "SheetTable.h"

#include <QStringView>
#include <optional>

// The amount a line-total cell reads back as, under `rs`; nothing for a text that is no
// number or lies beyond Currency.
std::optional<Currency> lineTotalReadBack(QStringView cell, const RegionalSettings &rs);

class LineTotalRecount {
public:
    explicit LineTotalRecount(const RegionalSettings &rs) : m_rs(rs), m_recount(rs) {}

    void addLine(QStringView lineTotal);
    int lines() const { return m_lines; }
    CounterCaptions captions() const;

private:
    const RegionalSettings &m_rs;
    CellRecount m_recount;
    int m_lines = 0;
};
