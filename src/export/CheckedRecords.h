#pragma once
// A file of checked records, as the .fiche file and the recovery record write them
// (FicheFormat.h): one record per line, its fields separated by tabs, the first naming the
// record, the last the CRC-32 of every byte of the file before it. The check is verified
// before anything of the record is used, so a byte changed anywhere stops the reading at
// the record that holds it, and a record lost or moved at the first one after it.

#include "ByteLines.h"
#include "Crc32.h"
#include "Utf8Field.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <vector>

class CheckedRecords {
public:
    // No record of the file has more than `maxFields` fields besides its kind and check.
    CheckedRecords(QIODevice &file, int maxFields);

    // False at the end of the file (refusal() then empty) or when the file is refused.
    bool next();

    QByteArrayView kind() const { return m_parts[0]; }
    int fieldCount() const { return m_partCount - 2; }  // the kind and the check apart
    // The field `i` (from 0, after the kind) decoded into `into`; false with the reason set
    // for a field that is no UTF-8 or holds an unknown escape.
    bool decode(int i, QString &into);
    bool isRecord(const char *kind, int fields) const { return this->kind() == kind && fieldCount() == fields; }

    qint64 lineNumber() const { return m_lines.lineNumber(); }
    const QString &refusal() const { return m_refusal; }
    // The refusal is about the whole file (too large, unreadable), not a line.
    bool refusesWholeFile() const { return m_wholeFile; }
    void refuse(const QString &reason) { m_refusal = reason; }
    int thousandthsRead() const { return m_lines.thousandthsRead(); }

private:
    bool split(QByteArrayView line);
    bool verifyCheck(QByteArrayView line);

    ByteLines m_lines;
    Crc32 m_crc;
    Utf8Field m_utf8;
    // The kind, up to maxFields fields, the check; one more tells a record too long.
    std::vector<QByteArrayView> m_parts;
    int m_partCount = 0;
    QString m_refusal;
    bool m_wholeFile = false;
};
