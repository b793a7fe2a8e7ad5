#include "FicheWriter.h"

#include "FicheFormat.h"
#include "RecordChunk.h"
#include "SheetColumns.h"

#include <algorithm>
#include <initializer_list>

namespace {

// Records are gathered into a chunk of bytes handed to the device a piece at a time: one
// write per record would cost a call per line, the whole file at once its size in memory.
constexpr qsizetype ChunkBytes = qsizetype{256} * 1024;

// Gives the device the chunk's records once they fill it.
class RecordWriter {
public:
    explicit RecordWriter(QIODevice &file) : m_file(file) { m_chunk.reserve(ChunkBytes + ChunkBytes / 4); }

    void startRecord(const char *kind) { m_chunk.startRecord(kind); }
    void addField(QStringView text) { m_chunk.addField(text); }
    bool endRecord()
    {
        m_chunk.endRecord();
        return m_chunk.bytes().size() < ChunkBytes || flush();
    }
    bool flush()
    {
        const bool whole = m_file.write(m_chunk.bytes()) == m_chunk.bytes().size();
        m_chunk.clear();
        return whole;
    }

private:
    QIODevice &m_file;
    RecordChunk m_chunk;
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
