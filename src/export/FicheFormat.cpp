#include "FicheFormat.h"

#include <optional>

namespace FicheFormat {

namespace {

// A code unit that is half of a surrogate pair without its other half.
bool isLoneHalf(QStringView text, qsizetype i)
{
    const QChar c = text[i];
    if (c.isHighSurrogate())
        return i + 1 == text.size() || !text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !text[i - 1].isHighSurrogate();
    return false;
}

int hexValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

// The code unit of "\uXXXX" at `at` (the backslash), when it is one the writer writes.
std::optional<char16_t> loneHalfAt(QStringView text, qsizetype at)
{
    if (at + 6 > text.size())
        return std::nullopt;
    int unit = 0;
    for (qsizetype i = at + 2; i < at + 6; ++i) {
        const int digit = hexValue(text[i]);
        if (digit < 0)
            return std::nullopt;
        unit = unit * 16 + digit;
    }
    if (unit < 0xD800 || unit > 0xDFFF)
        return std::nullopt;
    return char16_t(unit);
}

}  // namespace

QByteArray checkText(std::uint32_t crc)
{
    QByteArray digits(CheckDigits, Qt::Uninitialized);
    for (int i = CheckDigits - 1; i >= 0; --i, crc >>= 4)
        digits[i] = "0123456789abcdef"[crc & 0xFu];
    return digits;
}

void appendEscaped(QString &out, QStringView text)
{
    // The runs between characters to escape go in whole: nearly every cell is one run.
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool special =
            c == u'\\' || c == u'\t' || c == u'\n' || c == u'\r' || (c.isSurrogate() && isLoneHalf(text, i));
        if (!special)
            continue;
        out += text.sliced(runStart, i - runStart);
        runStart = i + 1;
        switch (c.unicode()) {
        case u'\\':
            out += QLatin1String("\\\\");
            break;
        case u'\t':
            out += QLatin1String("\\t");
            break;
        case u'\n':
            out += QLatin1String("\\n");
            break;
        case u'\r':
            out += QLatin1String("\\r");
            break;
        default:
            out += QLatin1String("\\u") + QString::number(c.unicode(), 16).toUpper();  // always four digits
        }
    }
    out += text.sliced(runStart);
}

bool unescape(QString &text, QString &reason)
{
    if (!text.contains(u'\\') && !text.contains(u'\r'))
        return true;
    QChar *out = text.data();
    const QStringView in(text);
    qsizetype written = 0;
    for (qsizetype i = 0; i < in.size(); ++i) {
        QChar c = in[i];
        if (c == u'\r') {
            reason = QStringLiteral("retour chariot non échappé (le fichier a été modifié par un autre programme)");
            return false;
        }
        if (c == u'\\') {
            const QChar next = i + 1 < in.size() ? in[i + 1] : QChar();
            if (next == u'\\' || next == u't' || next == u'n' || next == u'r') {
                c = next == u't' ? QChar(u'\t') : next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : next;
                ++i;
            } else if (const std::optional<char16_t> half = next == u'u' ? loneHalfAt(in, i) : std::nullopt) {
                c = QChar(*half);
                i += 5;
            } else {
                reason = QStringLiteral("« \\%1 » n'est pas un échappement connu").arg(next);
                return false;
            }
        }
        out[written++] = c;
    }
    text.truncate(written);
    return true;
}

}  // namespace FicheFormat
