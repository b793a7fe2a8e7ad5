#include "SheetDocument.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <numeric>

namespace {

constexpr double LinePoints = 9;
constexpr double TitlePoints = 14;
constexpr double CounterPoints = 8.25;  // the window's counters
constexpr double FooterPoints = 8;
constexpr double MarginMillimetres = 15;

QFont sized(const QFont &family, double points, bool bold)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

// The grid centres its columns but the designation; its amounts, padded to one width,
// read as right-aligned there, and are right-aligned here, where a column has no padding.
Qt::Alignment printedAlignment(int column)
{
    switch (column) {
    case 1:
        return Qt::AlignLeft;
    case 3:
    case 5:
        return Qt::AlignRight;
    default:
        return Qt::AlignHCenter;
    }
}

// Where everything goes on a page, in the device's pixels, from the top left corner of
// the area inside the margins.
class Pages {
public:
    Pages(QPainter &painter, QPagedPaintDevice &device, const SheetDocument &document)
        : m_painter(painter), m_device(device), m_document(document),
          m_lineFont(sized(document.font, LinePoints, false)), m_headerFont(sized(document.font, LinePoints, true)),
          m_titleFont(sized(document.font, TitlePoints, true)),
          m_counterFont(sized(document.font, CounterPoints, true)),
          m_footerFont(sized(document.font, FooterPoints, false)), m_lineMetrics(m_lineFont, &device),
          m_headerMetrics(m_headerFont, &device), m_rowHeight(m_lineMetrics.height() * 1.4),
          m_padding(m_lineMetrics.averageCharWidth() * 0.5),
          m_titleHeight(QFontMetricsF(m_titleFont, &device).height() + m_rowHeight * 1.5),
          m_headerHeight(m_rowHeight * 1.2), m_countersHeight(m_rowHeight * 2),
          m_bodyBottom(device.height() - QFontMetricsF(m_footerFont, &device).height() * 2.5),
          m_ruleWidth(device.logicalDpiY() / 144.0)
    {
        double left = 0;
        m_columnLefts.append(0);
        for (const double width : printedWidths(device.width())) {
            left += width;
            m_columnLefts.append(left);
        }
    }

    // The pages the document takes: the layout of paint() without drawing.
    int count(int lines) const
    {
        int page = 0;
        double y = firstRowTop(page);
        for (int line = 0; line < lines; ++line) {
            if (!fits(y, m_rowHeight))
                y = firstRowTop(++page);
            y += m_rowHeight;
        }
        return fits(y, m_countersHeight) ? page + 1 : page + 2;
    }

    bool paint(const ExportProgress &progress)
    {
        const SheetTable &sheet = m_document.sheet;
        const int lines = sheet.rowCount() - 1;
        m_pageCount = count(lines);
        int page = 0;
        double y = beginPage(page);
        for (int row = 1; row <= lines; ++row) {
            if (!fits(y, m_rowHeight))
                y = nextPage(++page);
            drawRow(row, y, m_lineFont, m_lineMetrics);
            y += m_rowHeight;
            if (row % ProgressStep == 0 && progress && !progress(row))
                return false;
        }
        if (!fits(y, m_countersHeight))
            y = nextPage(++page);
        drawCounters(y);
        drawFooter(page);
        return true;
    }

private:
    // The grid's proportions, each column wide enough for its title at least: what a
    // narrow column lacks is taken from the widest, the designation.
    QList<double> printedWidths(double pageWidth) const
    {
        const QList<int> &grid = m_document.columnWidths;
        const double total = std::max(1, std::accumulate(grid.begin(), grid.end(), 0));
        QList<double> widths;
        double lacking = 0;
        for (int column = 0; column < grid.size(); ++column) {
            const double title = m_headerMetrics.horizontalAdvance(m_document.sheet.cellText(0, column));
            widths.append(std::max(pageWidth * grid[column] / total, title + 2 * m_padding));
            lacking += widths.back() - pageWidth * grid[column] / total;
        }
        if (!widths.isEmpty())
            *std::max_element(widths.begin(), widths.end()) -= lacking;
        return widths;
    }

    double firstRowTop(int page) const { return (page == 0 ? m_titleHeight : 0) + m_headerHeight; }
    bool fits(double top, double height) const { return top + height <= m_bodyBottom; }

    double nextPage(int page)
    {
        drawFooter(page - 1);
        m_device.newPage();
        return beginPage(page);
    }

    // Draws what stands above the lines; returns where the first line goes.
    double beginPage(int page)
    {
        double y = 0;
        if (page == 0) {
            m_painter.setFont(m_titleFont);
            m_painter.drawText(QRectF(0, 0, m_device.width(), m_titleHeight), Qt::AlignLeft | Qt::AlignTop,
                               QStringLiteral("Fiche Produit"));
            m_painter.setFont(m_lineFont);
            const QString made = QLocale(QLocale::French, QLocale::France)
                                     .toString(m_document.madeAt, QStringLiteral("d MMMM yyyy 'à' HH:mm"));
            const QString about = QStringLiteral("Fiche du %1 — catalogue : %2")
                                      .arg(made, QFileInfo(m_document.catalogueFile).fileName());
            const QRectF line(0, m_titleHeight - m_rowHeight * 1.5, m_device.width(), m_rowHeight);
            m_painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                               m_lineMetrics.elidedText(about, Qt::ElideMiddle, line.width()));
            y = m_titleHeight;
        }
        drawRow(0, y, m_headerFont, m_headerMetrics);
        m_painter.setPen(QPen(Qt::black, m_ruleWidth));
        m_painter.drawLine(QPointF(0, y + m_rowHeight), QPointF(m_device.width(), y + m_rowHeight));
        return y + m_headerHeight;
    }

    void drawRow(int row, double top, const QFont &font, const QFontMetricsF &metrics)
    {
        m_painter.setFont(font);
        for (int column = 0; column + 1 < m_columnLefts.size(); ++column) {
            const Qt::Alignment alignment = printedAlignment(column);
            QString text = m_document.sheet.cellText(row, column);
            if (alignment == Qt::AlignRight)
                text = text.trimmed();
            const QRectF cell(m_columnLefts[column] + m_padding, top,
                              m_columnLefts[column + 1] - m_columnLefts[column] - 2 * m_padding, m_rowHeight);
            const int flags = static_cast<int>((alignment | Qt::AlignVCenter).toInt()) | Qt::TextSingleLine;
            m_painter.drawText(cell, flags, metrics.elidedText(text, Qt::ElideRight, cell.width()));
        }
    }

    void drawCounters(double top)
    {
        m_painter.setPen(QPen(Qt::black, m_ruleWidth));
        m_painter.drawLine(QPointF(0, top + m_rowHeight * 0.5), QPointF(m_device.width(), top + m_rowHeight * 0.5));
        m_painter.setFont(m_counterFont);
        const QRectF line(m_padding, top + m_rowHeight, m_device.width() - 2 * m_padding, m_rowHeight);
        m_painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                           QStringLiteral("Nombre : %1").arg(m_document.counters.lineCount));
        m_painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                           QStringLiteral("Total : %1").arg(m_document.counters.grandTotal));
    }

    void drawFooter(int page)
    {
        m_painter.setFont(m_footerFont);
        m_painter.drawText(QRectF(0, m_bodyBottom, m_device.width(), m_device.height() - m_bodyBottom),
                           Qt::AlignHCenter | Qt::AlignBottom,
                           QStringLiteral("Page %1 / %2").arg(page + 1).arg(m_pageCount));
    }

    QPainter &m_painter;
    QPagedPaintDevice &m_device;
    const SheetDocument &m_document;
    QFont m_lineFont, m_headerFont, m_titleFont, m_counterFont, m_footerFont;
    QFontMetricsF m_lineMetrics, m_headerMetrics;
    double m_rowHeight, m_padding, m_titleHeight, m_headerHeight, m_countersHeight, m_bodyBottom, m_ruleWidth;
    QList<double> m_columnLefts;
    int m_pageCount = 1;
};

}  // namespace

void useSheetPage(QPagedPaintDevice &device)
{
    device.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                    QMarginsF(MarginMillimetres, MarginMillimetres, MarginMillimetres, MarginMillimetres),
                    QPageLayout::Millimeter));
}

bool paintSheetDocument(QPainter &painter, QPagedPaintDevice &device, const SheetDocument &document,
                        const ExportProgress &progress)
{
    return Pages(painter, device, document).paint(progress);
}
