#include "CsvFile.h"

#include "ExportedCells.h"

namespace {

bool needsQuotes(QStringView field, QChar separator)
{
    if (field.isEmpty())
        return false;
    if (field.front().isSpace() || field.back().isSpace())
        return true;
    for (const QChar c : field) {
        if (c == separator || c == u'"' || c == u'\n' || c == u'\r')
            return true;
    }
    return false;
}

// Text is turned into bytes and handed to the device a chunk at a time: one write per row
// would cost a call per row, one write of the whole file its whole size in memory twice.
constexpr qsizetype ChunkCharacters = qsizetype{64} * 1024;

bool writeUtf8(QIODevice &file, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return file.write(bytes) == bytes.size();
}

}  // namespace

QChar csvFieldSeparator(const RegionalSettings &rs)
{
    return rs.decimalSeparator == QStringLiteral(",") ? u';' : u',';
}

void appendCsvField(QString &row, QStringView field, QChar separator)
{
    if (!needsQuotes(field, separator)) {
        row += field;
        return;
    }
    row += u'"';
    for (const QChar c : field) {
        if (c == u'"')
            row += u'"';
        row += c;
    }
    row += u'"';
}

bool writeSheetCsv(const SheetTable &sheet, const RegionalSettings &rs, QIODevice &file, const ExportProgress &progress)
{
    const QChar separator = csvFieldSeparator(rs);
    QString chunk;
    chunk.reserve(ChunkCharacters + 1024);
    chunk += QChar(0xFEFF);  // the byte-order mark
    for (int row = 0; row < sheet.rowCount(); ++row) {
        for (int column = 0; column < sheet.columnCount(); ++column) {
            if (column > 0)
                chunk += separator;
            const QString text = sheet.cellText(row, column);
            appendCsvField(chunk, row == 0 ? text : exportedCell(column, text, rs), separator);
        }
        chunk += QStringLiteral("\r\n");
        if (chunk.size() >= ChunkCharacters) {
            if (!writeUtf8(file, chunk))
                return false;
            chunk.clear();
        }
        if (row % ProgressStep == 0 && progress && !progress(row))
            return false;
    }
    return writeUtf8(file, chunk);
}
