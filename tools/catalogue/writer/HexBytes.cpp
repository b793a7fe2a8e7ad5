#include "HexBytes.h"

#include <QRegularExpression>

#include <algorithm>

namespace jetwriter {

namespace {

int hexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

}  // namespace

std::optional<QByteArray> bytesFromHex(QStringView text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    QByteArray bytes(text.size() / 2, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int high = hexDigit(text[2 * i]);
        const int low = hexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[i] = char(high << 4 | low);
    }
    return bytes;
}

std::optional<QByteArray> guidBytes(QStringView text)
{
    static const QRegularExpression form(QStringLiteral(
        "^\\{([0-9A-Fa-f]{8})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{4})-([0-9A-Fa-f]{12})\\}$"));
    const QRegularExpressionMatch match = form.match(text.toString());
    if (!match.hasMatch())
        return std::nullopt;
    QByteArray bytes;
    for (int group = 1; group <= 5; ++group) {
        QByteArray part = *bytesFromHex(match.capturedView(group));
        if (group <= 3)
            std::reverse(part.begin(), part.end());
        bytes += part;
    }
    return bytes;
}

}  // namespace jetwriter
