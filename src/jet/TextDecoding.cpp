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

void appendUtf16(const unsigned char *bytes, std::size_t size, std::u16string &out)
{
    const std::size_t units = size / 2;   // an odd last byte is not a character
    const std::size_t at = out.size();
    out.resize(at + units);
    for (std::size_t i = 0; i < units; ++i)
        out[at + i] = char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
}

void appendCompressed(const unsigned char *bytes, std::size_t size, std::u16string &out)
{
    // Never more characters than bytes: room first, then the exact size.
    const std::size_t at = out.size();
    out.resize(at + size);
    char16_t *next = out.data() + at;
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
    out.resize(std::size_t(next - out.data()));
}

}  // namespace

TextDecoding::TextDecoding(bool jet3, std::uint16_t codePage)
    : m_jet3(jet3), m_codePage(jet3 ? decoderForCodePage(codePage) : QStringDecoder())
{
}

void TextDecoding::append(const unsigned char *bytes, std::size_t size, std::u16string &out) const
{
    if (m_jet3) {
        const QString text = m_codePage.decode(QByteArrayView(bytes, qsizetype(size)));
        out.append(reinterpret_cast<const char16_t *>(text.utf16()), std::size_t(text.size()));
    } else if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        appendCompressed(bytes + 2, size - 2, out);
    } else {
        appendUtf16(bytes, size, out);
    }
}

}  // namespace jet
