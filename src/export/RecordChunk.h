#pragma once
// Checked records (CheckedRecords.h) as bytes to be written: each record's fields escaped
// (FicheFormat.h), separated by tabs, then the CRC-32 of every byte written before it,
// since the first record, and a line feed. The records gather in memory until the caller
// hands them to its file and clears them; the check carries on over the next ones.

#include "Crc32.h"

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <QStringView>
#include <initializer_list>

class RecordChunk {
public:
    // A record's first field, the name of its kind; its other fields, the check and the
    // line feed follow.
    void startRecord(const char *kind) { m_fields = QLatin1String(kind); }
    void addField(QStringView text);
    void endRecord();
    // A whole record at once.
    void add(const char *kind, std::initializer_list<QStringView> fields);

    const QByteArray &bytes() const { return m_chunk; }
    void reserve(qsizetype bytes) { m_chunk.reserve(bytes); }
    // The records written: the next check still covers them.
    void clear() { m_chunk.clear(); }

private:
    QStringEncoder m_encoder{QStringEncoder::Utf8};
    Crc32 m_crc;
    QString m_fields;
    QByteArray m_chunk;
};
