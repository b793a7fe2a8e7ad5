#pragma once
// The grid's column-format text: one segment per column, separated by "|". A segment is an
// optional justification mark ("<" left, "^" centred, ">" right) followed by the header
// title with blanks around it; the blanks are there to size the column, which is as wide
// as the whole segment drawn in the grid's font.

#include <QList>
#include <QString>
#include <Qt>

struct ColumnSpec {
    QString title;            // the segment without its mark: the title with its blanks
    Qt::Alignment alignment;  // horizontal only; columns without a mark are left-aligned
    QString widthText;        // the whole segment, whose drawn width is the column's
};

QList<ColumnSpec> parseColumnFormat(const QString &format);
