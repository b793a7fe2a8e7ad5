#include "ClipboardTexts.h"

#include "ExportedCells.h"

#include <QStringList>

namespace {

// A tab or a line break inside a cell would start another cell or row: such a cell is
// quoted, as spreadsheets read pasted text, and so is one that begins with a quote, which
// they would otherwise take for the start of a quoted cell.
void appendPlainCell(QString &plain, const QString &cell)
{
    const bool quoted = cell.startsWith(u'"') || cell.contains(u'\t') || cell.contains(u'\n') || cell.contains(u'\r');
    if (!quoted) {
        plain += cell;
        return;
    }
    plain += u'"';
    plain += QString(cell).replace(u'"', QStringLiteral("\"\""));
    plain += u'"';
}

class TwoForms {
public:
    explicit TwoForms(const RegionalSettings &rs) : m_rs(rs)
    {
        // The class marks text cells, which spreadsheets then keep as text: a reference
        // "00123" must not become the number 123.
        m_texts.html = QStringLiteral("<html><head><meta charset=\"utf-8\"><style>td.texte{mso-number-format:\"\\@\";}"
                                      "</style></head><body><table border=\"1\" cellspacing=\"0\">\n");
    }

    void addHeader(const QStringList &titles)
    {
        m_texts.html += u"<tr>";
        for (qsizetype column = 0; column < titles.size(); ++column) {
            if (column > 0)
                m_texts.plain += u'\t';
            appendPlainCell(m_texts.plain, titles[column]);
            appendHtmlCell(u"<th>", titles[column], u"</th>");
        }
        endRow();
    }

    // `numbers` tells which cells may hold a number to give plainly.
    void addRow(const QStringList &cells, const std::function<bool(int)> &numbers)
    {
        m_texts.html += u"<tr>";
        for (qsizetype column = 0; column < cells.size(); ++column) {
            if (column > 0)
                m_texts.plain += u'\t';
            const std::optional<QString> number =
                numbers(int(column)) ? plainNumber(cells[column], m_rs) : std::nullopt;
            appendPlainCell(m_texts.plain, number.value_or(cells[column]));
            if (number)
                appendHtmlCell(u"<td align=\"right\">", *number, u"</td>");
            else
                appendHtmlCell(u"<td class=\"texte\">", cells[column], u"</td>");
        }
        endRow();
    }

    ClipboardTexts finish()
    {
        m_texts.html += QStringLiteral("</table></body></html>\n");
        return std::move(m_texts);
    }

private:
    void appendHtmlCell(QStringView open, const QString &text, QStringView close)
    {
        m_texts.html += open;
        m_texts.html += text.toHtmlEscaped();
        m_texts.html += close;
    }

    void endRow()
    {
        m_texts.plain += u'\n';
        m_texts.html += u"</tr>\n";
    }

    const RegionalSettings &m_rs;
    ClipboardTexts m_texts;
};

QStringList rowCells(const SheetTable &sheet, int row)
{
    QStringList cells;
    cells.reserve(sheet.columnCount());
    for (int column = 0; column < sheet.columnCount(); ++column)
        cells.append(sheet.cellText(row, column));
    return cells;
}

}  // namespace

std::optional<ClipboardTexts> clipboardTexts(const SheetTable &sheet, const QList<int> &rows,
                                             const std::optional<CounterCaptions> &counters, const RegionalSettings &rs,
                                             const ExportProgress &progress)
{
    TwoForms forms(rs);
    forms.addHeader(rowCells(sheet, 0));
    for (qsizetype done = 0; done < rows.size(); ++done) {
        forms.addRow(rowCells(sheet, rows[done]), holdsNumbers);
        if (done % ProgressStep == 0 && progress && !progress(int(done)))
            return std::nullopt;
    }
    if (counters) {
        const int columns = sheet.columnCount();
        QStringList empty(columns);
        forms.addRow(empty, holdsNumbers);
        QStringList captions(columns);
        captions[0] = QStringLiteral("Nombre :");
        captions[1] = counters->lineCount;
        captions[columns - 2] = QStringLiteral("Total :");
        captions[columns - 1] = counters->grandTotal;
        const auto values = [columns](int column) { return column == 1 || column == columns - 1; };
        forms.addRow(captions, values);
    }
    return forms.finish();
}
