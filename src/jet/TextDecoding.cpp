#include "TextDecoding.h"

#include <QByteArrayView>
#include <cstring>

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

bool isCompressed(const unsigned char *bytes, std::size_t size)
{
    return size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
}

void decodeUtf16(const unsigned char *bytes, std::size_t size, std::u16string &out)
{
    const std::size_t units = size / 2;  // an odd last byte is not a character
    out.resize(units);
    for (std::size_t i = 0; i < units; ++i)
        out[i] = char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
}

void decodeCompressed(const unsigned char *bytes, std::size_t size, std::u16string &out)
{
    // Never more characters than bytes: room first, then the exact size.
    out.resize(size);
    std::size_t next = 0;
    bool oneByte = true;
    std::size_t i = 0;
    while (i < size) {
        if (bytes[i] == 0) {
            oneByte = !oneByte;
            ++i;
        } else if (oneByte) {
            out[next++] = char16_t(bytes[i]);
            ++i;
        } else if (i + 1 < size) {
            out[next++] = char16_t(bytes[i] | (bytes[i + 1] << 8));
            i += 2;
        } else {
            break;
        }
    }
    out.resize(next);
}

}  // namespace

TextDecoding::TextDecoding(bool jet3, std::uint16_t codePage)
    : m_jet3(jet3), m_codePage(jet3 ? decoderForCodePage(codePage) : QStringDecoder())
{}

void TextDecoding::decode(const unsigned char *bytes, std::size_t size, std::u16string &out) const
{
    if (m_jet3) {
        out.resize(std::size_t(m_codePage.requiredSpace(qsizetype(size))));
        auto *const first = reinterpret_cast<QChar *>(out.data());
        const QChar *end = m_codePage.appendToBuffer(first, QByteArrayView(bytes, qsizetype(size)));
        out.resize(std::size_t(end - first));
    } else if (isCompressed(bytes, size)) {
        decodeCompressed(bytes + 2, size - 2, out);
    } else {
        decodeUtf16(bytes, size, out);
    }
}

}  // namespace jet

namespace jet {

std::optional<std::string_view> TextDecoding::storedAsLatin1(const unsigned char *bytes, std::size_t size) const
{
    if (m_jet3 || !isCompressed(bytes, size) || std::memchr(bytes + 2, 0, size - 2))
        return std::nullopt;
    return std::string_view(reinterpret_cast<const char *>(bytes + 2), size - 2);
}

}  // namespace jet
