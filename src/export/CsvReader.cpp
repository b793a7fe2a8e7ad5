#include "CsvReader.h"

#include "ByteLines.h"
#include "CsvFile.h"
#include "LineTotalRecount.h"
#include "SheetColumns.h"
#include "Utf8Field.h"

#include <array>

namespace {

// ";" or ",": the one that splits `line`, a CSV's first line, into six fields outside
// quotes; where both or neither do, the one the user's settings would write, unless the
// other one is the only one there.
QChar separatorOf(QStringView line, QChar usual)
{
    int semicolons = 0;
    int commas = 0;
    bool quoted = false;
    for (const QChar c : line) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u';')
            ++semicolons;
        else if (!quoted && c == u',')
            ++commas;
    }
    constexpr int Between = SheetColumnCount - 1;
    if ((semicolons == Between) != (commas == Between))
        return semicolons == Between ? u';' : u',';
    if ((semicolons == 0) != (commas == 0))
        return semicolons > 0 ? u';' : u',';
    return usual;
}

// The rows of a CSV, fed a line of the file at a time: a row whose quoted field holds a
// line break goes on over the next lines.
class CsvRows {
public:
    enum class Fed { Row, RowGoesOn, Blank, Refused };

    explicit CsvRows(QChar separator) : m_separator(separator) {}

    // `line` without its line feed; a carriage return before it ends the row with it.
    Fed feed(QStringView line, qint64 lineNumber);

    QChar separator() const { return m_separator; }
    int fieldCount() const { return m_field + 1; }
    const QString &field(int i) const { return m_fields[std::size_t(i)]; }
    qint64 rowLine() const { return m_rowLine; }
    bool inQuotes() const { return m_quoted; }
    const QString &refusal() const { return m_refusal; }

private:
    void add(QChar c)
    {
        if (m_field < SheetColumnCount)
            m_fields[std::size_t(m_field)] += c;
        m_begun = true;
    }
    void nextField()
    {
        if (++m_field < SheetColumnCount)
            m_fields[std::size_t(m_field)].clear();
        m_begun = false;
        m_closed = false;
    }

    QChar m_separator;
    std::array<QString, SheetColumnCount> m_fields;
    int m_field = 0;        // the field being read; those past the sixth are only counted
    bool m_begun = false;   // the field has a character, or its opening quote
    bool m_quoted = false;  // inside a quoted field
    bool m_closed = false;  // right after the quote that closed the field
    qint64 m_rowLine = 0;
    QString m_refusal;
};

CsvRows::Fed CsvRows::feed(QStringView line, qint64 lineNumber)
{
    if (!m_quoted) {
        if (line.isEmpty() || line == u"\r")
            return Fed::Blank;  // a blank line is no row: a row of six empty cells has its separators
        m_rowLine = lineNumber;
        m_field = -1;
        nextField();
    }
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        const bool lastCarriageReturn = c == u'\r' && i == line.size() - 1;
        if (m_quoted) {
            if (c != u'"') {
                add(c);
            } else if (i + 1 < line.size() && line[i + 1] == u'"') {
                add(c);
                ++i;
            } else {
                m_quoted = false;
                m_closed = true;
            }
        } else if (c == m_separator) {
            nextField();
        } else if (lastCarriageReturn) {
            // the row's CRLF
        } else if (m_closed) {
            m_refusal = QStringLiteral("« %1 » suit le guillemet qui ferme un champ, à la place de « %2 » "
                                       "ou de la fin de la ligne")
                            .arg(c)
                            .arg(m_separator);
            return Fed::Refused;
        } else if (c == u'"' && !m_begun) {
            m_quoted = true;
            m_begun = true;
        } else {
            add(c);
        }
    }
    if (m_quoted) {
        add(u'\n');  // the line break inside the field; a carriage return before it is in already
        return Fed::RowGoesOn;
    }
    return Fed::Row;
}

bool holdsTitles(const CsvRows &row, const QStringList &titles)
{
    if (titles.size() != SheetColumnCount)
        return false;
    for (int column = 0; column < SheetColumnCount; ++column) {
        if (row.field(column).trimmed().compare(titles[column].trimmed(), Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

QString columnCountReason(int fields, QChar separator)
{
    return QStringLiteral("%1 colonne%2 séparée%2 par « %3 » au lieu de six : ce n'est pas une fiche en CSV")
        .arg(fields)
        .arg(fields > 1 ? QStringLiteral("s") : QString())
        .arg(separator);
}

}  // namespace

SheetReading readSheetCsv(QIODevice &file, const QStringList &titles, const RegionalSettings &rs,
                          const ExportProgress &progress)
{
    ByteLines lines(file);
    Utf8Field utf8;
    std::optional<CsvRows> rows;
    LineTotalRecount recount(rs);
    SheetReading read;
    SheetContents &sheet = read.sheet;
    QString text;
    QString reason;
    bool firstRow = true;
    while (const std::optional<QByteArrayView> bytes = lines.next()) {
        QByteArrayView line = *bytes;
        if (lines.lineNumber() == 1 && line.startsWith("\xEF\xBB\xBF"))
            line = line.sliced(3);  // the byte-order mark
        if (!utf8.decode(line, text, reason))
            return refusedAt(lines.lineNumber(), reason + QStringLiteral(" : enregistrez le fichier en CSV UTF-8"));
        if (!rows)
            rows.emplace(separatorOf(text, csvFieldSeparator(rs)));
        const CsvRows::Fed fed = rows->feed(text, lines.lineNumber());
        if (fed == CsvRows::Fed::Refused)
            return refusedAt(lines.lineNumber(), rows->refusal());
        if (fed != CsvRows::Fed::Row)
            continue;
        if (rows->fieldCount() != SheetColumnCount)
            return refusedAt(rows->rowLine(), columnCountReason(rows->fieldCount(), rows->separator()));
        const bool header = firstRow && holdsTitles(*rows, titles);
        firstRow = false;
        if (header)
            continue;
        // Room for the texts once the file is seen to be a CSV of the sheet: no more than its
        // bytes, as a UTF-8 byte gives at most one UTF-16 unit.
        if (sheet.lineCount() == 0 && !file.isSequential())
            sheet.reserveText(file.size());
        if (sheet.lineCount() == MaxSheetLines)
            return refusedAt(rows->rowLine(), QStringLiteral("la fiche a plus de %L1 lignes").arg(MaxSheetLines));
        for (int column = 0; column < SheetColumnCount; ++column)
            sheet.appendCell(rows->field(column));
        recount.addLine(rows->field(SheetColumn::LineTotal));
        if (sheet.lineCount() % ProgressStep == 0 && progress && !progress(lines.thousandthsRead())) {
            read.kind = SheetReading::Cancelled;
            return read;
        }
    }
    if (!lines.failure().isEmpty())
        return refused(lines.failure());
    if (rows && rows->inQuotes())
        return refusedAt(rows->rowLine(), QStringLiteral("un champ de la ligne qui commence ici s'ouvre par un "
                                                         "guillemet qui n'est jamais refermé"));
    if (sheet.lineCount() == 0)
        return refusedAt(lines.lineNumber() + 1, QStringLiteral("le fichier ne contient aucune ligne de fiche"));
    sheet.counters = recount.captions();
    return read;
}
