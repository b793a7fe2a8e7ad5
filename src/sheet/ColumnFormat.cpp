#include "ColumnFormat.h"

namespace {

// A column without a mark keeps the grid's default: text reads from the left.
Qt::Alignment alignmentOfMark(QChar mark, bool &isMark)
{
    isMark = true;
    switch (mark.unicode()) {
    case u'<':
        return Qt::AlignLeft;
    case u'^':
        return Qt::AlignHCenter;
    case u'>':
        return Qt::AlignRight;
    default:
        isMark = false;
        return Qt::AlignLeft;
    }
}

}  // namespace

QList<ColumnSpec> parseColumnFormat(const QString &format)
{
    QList<ColumnSpec> columns;
    for (const QString &segment : format.split(u'|')) {
        bool hasMark = false;
        const Qt::Alignment alignment = segment.isEmpty() ? Qt::AlignLeft : alignmentOfMark(segment.front(), hasMark);
        columns.append({segment.mid(hasMark ? 1 : 0), alignment, segment});
    }
    return columns;
}
