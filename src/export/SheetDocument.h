#pragma once
// The sheet as a printed document, the same on paper and in a PDF: A4 portrait; the title,
// the date and time and the catalogue file at the top of the first page; the six columns
// with their titles on every page, in the proportions of the grid's columns, amounts
// right-aligned; the two counters after the last line; "Page N / M" at the foot of every
// page. Texts are drawn as text, in the grid's font (Arial, or Liberation Sans in its
// place), so that a PDF can be searched and copied from.

#include "SheetTable.h"

#include <QDateTime>
#include <QFont>
#include <QList>
#include <QString>

class QPagedPaintDevice;
class QPainter;

struct SheetDocument {
    const SheetTable &sheet;
    CounterCaptions counters;
    QString catalogueFile;
    QDateTime madeAt;
    // The grid's column widths, whatever their unit: the printed columns share the page's
    // width in the same proportions.
    QList<int> columnWidths;
    // The family the grid draws with; the sizes are the document's.
    QFont font;
};

// A4 portrait, with margins any printer can print within.
void useSheetPage(QPagedPaintDevice &device);

// Paints every page onto the device `painter` is active on, starting new pages on
// `device`. False when the user cancelled through `progress` (the pages so far are drawn).
bool paintSheetDocument(QPainter &painter, QPagedPaintDevice &device, const SheetDocument &document,
                        const ExportProgress &progress);
