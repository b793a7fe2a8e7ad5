#include "RecordChunk.h"

#include "FicheFormat.h"

void RecordChunk::addField(QStringView text)
{
    m_fields += u'\t';
    FicheFormat::appendEscaped(m_fields, text);
}

void RecordChunk::endRecord()
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
}

void RecordChunk::add(const char *kind, std::initializer_list<QStringView> fields)
{
    startRecord(kind);
    for (const QStringView field : fields)
        addField(field);
    endRecord();
}
