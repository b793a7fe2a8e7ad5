#include "FicheWriter.h"

#include "Crc32.h"
#include "FicheFormat.h"
#include "SheetColumns.h"

#include <QStringEncoder>
#include <algorithm>
#include <initializer_list>

namespace {

// Records are gathered into a chunk of bytes handed to the device a piece at a time: one
// write per record would cost a call per line, the whole file at once its size in memory.
constexpr qsizetype ChunkBytes = qsizetype{256} * 1024;

class RecordWriter {
public:
    explicit RecordWriter(QIODevice &file) : m_file(file) { m_chunk.reserve(ChunkBytes + ChunkBytes / 4); }

    // A record's first field, the name of its kind; its other fields, the check and the
    // line feed follow.
    void startRecord(const char *kind) { m_fields = QLatin1String(kind); }
    void addField(QStringView text)
    {
        m_fields += u'\t';
        FicheFormat::appendEscaped(m_fields, text);
    }

    bool endRecord()
    {
        m_fields += u'\t';
        const qsizetype start = m_chunk.size();
        m_chunk.resize(start + m_encoder.requiredSpace(m_fields.size()));
        char *end = m_encoder.appendToBuffer(m_chunk.data() + start, m_fields);
        m_chunk.resize(end - m_chunk.constData());
        m_crc.add(QByteArrayView(m_chunk).sliced(start));
        const QByteArray check = FicheFormat::checkText(m_crc.value());
        m_crc.add(check);
        m_crc.add("\n");
        m_chunk += check;
        m_chunk += '\n';
        return m_chunk.size() < ChunkBytes || flush();
    }

    bool flush()
    {
        const bool whole = m_file.write(m_chunk) == m_chunk.size();
        m_chunk.clear();
        return whole;
    }

private:
    QIODevice &m_file;
    QStringEncoder m_encoder{QStringEncoder::Utf8};
    Crc32 m_crc;
    QString m_fields;
    QByteArray m_chunk;
};

bool writeRecord(RecordWriter &out, const char *kind, std::initializer_list<QStringView> fields)
{
    out.startRecord(kind);
    for (const QStringView field : fields)
        out.addField(field);
    return out.endRecord();
}

}  // namespace

bool writeFiche(const SheetTable &sheet, const CounterCaptions &counters, const RegionalSettings &rs, QIODevice &file,
                const ExportProgress &progress)
{
    using namespace FicheFormat;
    RecordWriter out(file);
    const int lines = std::max(sheet.rowCount() - 1, 0);  // row 0: the titles
    if (!writeRecord(out, Signature, {QString::fromLatin1(Version)}) ||
        !writeRecord(out, Settings, {rs.decimalSeparator, rs.groupSeparator, rs.minusSign}) ||
        !writeRecord(out, Counters, {counters.lineCount, counters.grandTotal}))
        return false;
    for (int row = 1; row <= lines; ++row) {
        out.startRecord(Line);
        for (int column = 0; column < SheetColumnCount; ++column)
            out.addField(sheet.cellText(row, column));
        if (!out.endRecord())
            return false;
        if (row % ProgressStep == 0 && progress && !progress(row))
            return false;
    }
    return writeRecord(out, End, {QString::number(lines)}) && out.flush();
}
