#include "ExportedCells.h"

#include "LocaleScanner.h"

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A separator the settings leave empty is never there.
bool startsWith(QStringView text, const QString &separator)
{
    return !separator.isEmpty() && text.startsWith(separator);
}

}  // namespace

bool holdsNumbers(int column)
{
    return column >= 2;
}

std::optional<QString> plainNumber(QStringView text, const RegionalSettings &rs)
{
    DecimalNumber number;
    if (!ScanLocaleNumber(text, rs, number))
        return std::nullopt;
    // The scanner has taken the text: what is left to do is to keep its digits, decimal
    // separator and exponent, and to leave out the blanks, group separators and signs
    // around them. The mantissa's sign is the scanner's (no "-0").
    QString plain;
    plain.reserve(text.size());
    if (number.negative)
        plain += u'-';
    bool inExponent = false;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (isAsciiDigit(c) || (inExponent && (c == u'+' || c == u'-'))) {
            plain += c;
            ++i;
        } else if (!inExponent && startsWith(text.sliced(i), rs.decimalSeparator)) {
            plain += rs.decimalSeparator;
            i += rs.decimalSeparator.size();
        } else if (c == u'E' || c == u'e') {
            plain += c;
            inExponent = true;
            ++i;
        } else if (inExponent && startsWith(text.sliced(i), rs.minusSign)) {
            plain += u'-';
            i += rs.minusSign.size();
        } else {
            ++i;
        }
    }
    return plain;
}

QString exportedCell(int column, const QString &text, const RegionalSettings &rs)
{
    if (!holdsNumbers(column))
        return text;
    return plainNumber(text, rs).value_or(text);
}
