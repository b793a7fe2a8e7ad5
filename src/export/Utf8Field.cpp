#include "Utf8Field.h"

bool Utf8Field::decode(QByteArrayView bytes, QString &into, QString &reason)
{
    m_decoder.resetState();
    // A UTF-8 byte gives at most one UTF-16 unit.
    into.resize(bytes.size());
    QChar *end = m_decoder.appendToBuffer(into.data(), bytes);
    into.truncate(end - into.constData());
    if (m_decoder.hasError()) {
        reason = QStringLiteral("le texte n'est pas en UTF-8");
        return false;
    }
    return true;
}
