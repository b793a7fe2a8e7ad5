#include "TextDecoding.h"

#include <QByteArrayView>

namespace jet {

namespace {

// The names ICU knows the file's code page by; files that leave it unset were written
// for Western Europe.
QStringDecoder decoderForCodePage(std::uint16_t codePage)
{
    if (codePage != 0) {
        for (const QString &name : {QStringLiteral("windows-%1"), QStringLiteral("cp%1"), QStringLiteral("IBM%1")}) {
            QStringDecoder decoder(name.arg(codePage).toLatin1().constData(), QStringDecoder::Flag::Stateless);
            if (decoder.isValid())
                return decoder;
        }
    }
    return QStringDecoder("windows-1252", QStringDecoder::Flag::Stateless);
}

QString decodeUtf16(const unsigned char *bytes, std::size_t size)
{
    const std::size_t units = size / 2;  // an odd last byte is not a character
    QString text(qsizetype(units), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (std::size_t i = 0; i < units; ++i)
        out[i] = char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return text;
}

QString decodeCompressed(const unsigned char *bytes, std::size_t size)
{
    // Never more characters than bytes: room first, then the exact size.
    QString text(qsizetype(size), Qt::Uninitialized);
    char16_t *const first = reinterpret_cast<char16_t *>(text.data());
    char16_t *next = first;
    bool oneByte = true;
    std::size_t i = 0;
    while (i < size) {
        if (bytes[i] == 0) {
            oneByte = !oneByte;
            ++i;
        } else if (oneByte) {
            *next++ = char16_t(bytes[i]);
            ++i;
        } else if (i + 1 < size) {
            *next++ = char16_t(bytes[i] | (bytes[i + 1] << 8));
            i += 2;
        } else {
            break;
        }
    }
    text.truncate(next - first);
    return text;
}

}  // namespace

TextDecoding::TextDecoding(bool jet3, std::uint16_t codePage)
    : m_jet3(jet3), m_codePage(jet3 ? decoderForCodePage(codePage) : QStringDecoder())
{}

QString TextDecoding::decode(const unsigned char *bytes, std::size_t size) const
{
    if (m_jet3)
        return m_codePage.decode(QByteArrayView(bytes, qsizetype(size)));
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        return decodeCompressed(bytes + 2, size - 2);
    return decodeUtf16(bytes, size);
}

}  // namespace jet
