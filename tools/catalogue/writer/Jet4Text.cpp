#include "Jet4Text.h"

#include "LittleEndian.h"

#include <optional>

namespace jetwriter {

namespace {

constexpr char16_t ByteOrderMark = 0xFEFF;

bool fitsOneByte(char16_t unit)
{
    return unit != 0 && unit <= 0xFF;
}

// A two-byte unit whose low byte is zero would read as the mode switch.
bool fitsTwoBytes(char16_t unit)
{
    return (unit & 0xFF) != 0;
}

// The compressed form, switching modes only where it saves bytes: a run of k one-byte
// characters between two-byte ones costs 2k bytes in two-byte mode, or k + 2 with a switch
// there and back.
std::optional<QByteArray> compressed(QStringView text)
{
    QByteArray out("\xFF\xFE", 2);
    bool oneByteMode = true;
    qsizetype i = 0;
    while (i < text.size()) {
        const bool narrowRun = fitsOneByte(text[i].unicode());
        qsizetype end = i;
        while (end < text.size() && fitsOneByte(text[end].unicode()) == narrowRun)
            ++end;
        const qsizetype length = end - i;
        if (narrowRun) {
            const bool wideFollows = end < text.size();
            if (!oneByteMode && length > 1 + (wideFollows ? 1 : 0)) {
                out.append('\0');
                oneByteMode = true;
            }
            for (qsizetype k = i; k < end; ++k) {
                if (oneByteMode)
                    out.append(char(text[k].unicode()));
                else
                    appendLittleEndian<quint16>(out, text[k].unicode());
            }
        } else {
            if (oneByteMode) {
                out.append('\0');
                oneByteMode = false;
            }
            for (qsizetype k = i; k < end; ++k) {
                if (!fitsTwoBytes(text[k].unicode()))
                    return std::nullopt;
                appendLittleEndian<quint16>(out, text[k].unicode());
            }
        }
        i = end;
    }
    return out;
}

QByteArray plain(QStringView text)
{
    QByteArray out;
    out.reserve(2 * text.size());
    for (QChar c : text)
        appendLittleEndian<quint16>(out, c.unicode());
    return out;
}

bool startsWithByteOrderMark(QStringView text)
{
    return !text.isEmpty() && text.front().unicode() == ByteOrderMark;
}

}  // namespace

bool isStorableAsJet4Text(QStringView text)
{
    return !startsWithByteOrderMark(text) || compressed(text).has_value();
}

QByteArray encodeJet4Text(QStringView text)
{
    // An empty text is no bytes at all: a lone marker reads back as U+FEFF in some readers.
    if (text.isEmpty())
        return {};
    const std::optional<QByteArray> shorter = compressed(text);
    if (shorter && (shorter->size() < 2 * text.size() || startsWithByteOrderMark(text)))
        return *shorter;
    return plain(text);
}

}  // namespace jetwriter
