#pragma once
// Text read from a file as the strict UTF-8 it must be: bytes that are no UTF-8 are refused
// rather than read as replacement characters, and a U+FEFF at the front of a field (a
// zero-width no-break space in a cell) is kept, not taken for a byte-order mark.

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

class Utf8Field {
public:
    // `bytes` as text into `into` (its old text replaced); false, with the reason in French,
    // when they are not UTF-8.
    bool decode(QByteArrayView bytes, QString &into, QString &reason);

private:
    QStringDecoder m_decoder{QStringDecoder::Utf8,
                             QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom};
};
