#include "FieldParser.h"

#include "CatalogueError.h"
#include "DateTimeField.h"
#include "HexBytes.h"
#include "Jet4Text.h"
#include "LongValues.h"

#include <charconv>
#include <limits>
#include <optional>

namespace jetwriter {

namespace {

constexpr int MoneyDecimals = 4;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool allDigits(QStringView text)
{
    for (QChar c : text)
        if (!isDigit(c))
            return false;
    return true;
}

// Splits off a leading sign; true when it is a minus.
bool takeSign(QStringView &text)
{
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        const bool negative = text.front() == u'-';
        text = text.mid(1);
        return negative;
    }
    return false;
}

// Appends the digits to `value` (value × 10 + digit each); false on overflow.
bool accumulateDigits(QStringView digits, std::uint64_t &value)
{
    for (QChar c : digits) {
        if (__builtin_mul_overflow(value, 10u, &value) ||
            __builtin_add_overflow(value, std::uint64_t(c.unicode() - u'0'), &value))
            return false;
    }
    return true;
}

// A signed magnitude within [−(limit + 1), limit]: the two's complement range of `limit`.
std::optional<std::int64_t> signedWithin(bool negative, std::uint64_t magnitude, std::uint64_t limit)
{
    if (magnitude > limit + (negative ? 1 : 0))
        return std::nullopt;
    return negative ? std::int64_t(0 - magnitude) : std::int64_t(magnitude);
}

QString quoted(QStringView text)
{
    return QStringLiteral("« %1 »").arg(text);
}

FieldValue parseWholeNumber(QStringView field, std::uint64_t limit, const QString &rangeText)
{
    QStringView digits = field;
    const bool negative = takeSign(digits);
    if (digits.isEmpty() || !allDigits(digits))
        throw CatalogueError(QStringLiteral("%1 n'est pas un nombre entier").arg(quoted(field)));
    std::uint64_t magnitude = 0;
    const bool fits = accumulateDigits(digits, magnitude);
    const std::optional<std::int64_t> value = fits ? signedWithin(negative, magnitude, limit) : std::nullopt;
    if (!value)
        throw CatalogueError(QStringLiteral("%1 sort des limites %2").arg(quoted(field), rangeText));
    return *value;
}

FieldValue parseMoney(QStringView field)
{
    QStringView text = field;
    const bool negative = takeSign(text);
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.left(point);
    const QStringView fraction = point < 0 ? QStringView() : text.mid(point + 1);
    if (whole.size() + fraction.size() == 0 || !allDigits(whole) || !allDigits(fraction))
        throw CatalogueError(
            QStringLiteral("%1 n'est pas un montant (le séparateur décimal est le point)").arg(quoted(field)));
    if (fraction.size() > MoneyDecimals)
        throw CatalogueError(QStringLiteral("%1 a plus de %2 décimales, ce qu'un montant ne peut pas garder")
                                 .arg(quoted(field))
                                 .arg(MoneyDecimals));

    std::uint64_t tenThousandths = 0;
    bool fits = accumulateDigits(whole, tenThousandths) && accumulateDigits(fraction, tenThousandths);
    for (qsizetype k = fraction.size(); fits && k < MoneyDecimals; ++k)
        fits = !__builtin_mul_overflow(tenThousandths, 10u, &tenThousandths);
    const std::optional<std::int64_t> value =
        fits ? signedWithin(negative, tenThousandths, std::uint64_t(std::numeric_limits<std::int64_t>::max()))
             : std::nullopt;
    if (!value)
        throw CatalogueError(
            QStringLiteral("%1 sort des limites d'un montant (−922 337 203 685 477,5808 à 922 337 203 685 477,5807)")
                .arg(quoted(field)));
    return *value;
}

// Digits with at most one point, then an optional exponent: the only forms accepted, so that
// "inf", "nan", hexadecimal or a comma never slip through.
bool isPlainDecimal(QStringView text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    int mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++mantissaDigits;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i, ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return false;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        const qsizetype exponentStart = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        if (i == exponentStart)
            return false;
    }
    return i == text.size();
}

// A plain decimal read as the nearest Real (double or float); `typeText` names the type in
// the message for a value beyond its range.
template <typename Real>
Real parseReal(QStringView field, const QString &typeText)
{
    if (!isPlainDecimal(field))
        throw CatalogueError(
            QStringLiteral("%1 n'est pas un nombre (le séparateur décimal est le point)").arg(quoted(field)));
    // from_chars reads independently of the locale and rounds correctly; it takes no '+'.
    QByteArray latin = field.toLatin1();
    if (latin.startsWith('+'))
        latin.remove(0, 1);
    Real value = 0;
    const auto [end, error] = std::from_chars(latin.constData(), latin.constData() + latin.size(), value);
    if (error == std::errc::result_out_of_range)
        throw CatalogueError(QStringLiteral("%1 sort des limites d'un %2").arg(quoted(field), typeText));
    Q_ASSERT(error == std::errc() && end == latin.constData() + latin.size());
    return value;
}

FieldValue parseDouble(QStringView field)
{
    return parseReal<double>(field, QStringLiteral("réel double"));
}

FieldValue parseSingle(QStringView field)
{
    return double(parseReal<float>(field, QStringLiteral("réel simple (SINGLE)")));
}

FieldValue parseByte(QStringView field)
{
    const QString rangeText = QStringLiteral("d'un octet BYTE (0 à 255)");
    FieldValue value = parseWholeNumber(field, 255, rangeText);
    if (std::get<std::int64_t>(value) < 0)
        throw CatalogueError(QStringLiteral("%1 sort des limites %2").arg(quoted(field), rangeText));
    return value;
}

// 1 and −1 (what the engine gives for true) are true, 0 false.
FieldValue parseBoolean(QStringView field)
{
    if (field == u"0")
        return std::int64_t(0);
    if (field == u"1" || field == u"-1")
        return std::int64_t(1);
    throw CatalogueError(QStringLiteral("%1 n'est pas un booléen (0 pour faux, 1 ou -1 pour vrai)").arg(quoted(field)));
}

FieldValue parseDateTime(QStringView field)
{
    if (isPlainDecimal(field))
        return parseReal<double>(field, QStringLiteral("réel double"));
    if (const std::optional<double> serial = calendarSerial(field))
        return *serial;
    throw CatalogueError(QStringLiteral("%1 n'est ni une date AAAA-MM-JJ [HH:MM[:SS]] existante ni un numéro de jour "
                                        "(jours depuis le 30/12/1899, le séparateur décimal est le point)")
                             .arg(quoted(field)));
}

FieldValue parseGuid(QStringView field)
{
    if (std::optional<QByteArray> bytes = guidBytes(field))
        return *bytes;
    throw CatalogueError(QStringLiteral("%1 n'est pas un GUID de la forme {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx} "
                                        "(chiffres hexadécimaux)")
                             .arg(quoted(field)));
}

// `mostBytes` < 0: no limit but that of a long value.
QByteArray parseHexBytes(QStringView field, int mostBytes)
{
    const std::optional<QByteArray> bytes = bytesFromHex(field);
    if (!bytes)
        throw CatalogueError(QStringLiteral("%1 n'est pas de l'hexadécimal (deux chiffres 0-9 ou A-F par octet)")
                                 .arg(quoted(field.left(40))));
    if (mostBytes >= 0 && bytes->size() > mostBytes)
        throw CatalogueError(
            QStringLiteral("la valeur fait %1 octets, la colonne en admet %2").arg(bytes->size()).arg(mostBytes));
    if (bytes->size() > MaxLongValueBytes)
        throw CatalogueError(QStringLiteral("la valeur fait %1 octets, plus que les %2 d'une valeur longue")
                                 .arg(bytes->size())
                                 .arg(MaxLongValueBytes));
    return *bytes;
}

QString unescapeText(QStringView field)
{
    QString text;
    text.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != u'\\') {
            text.append(field[i]);
            continue;
        }
        if (i + 1 == field.size())
            throw CatalogueError(QStringLiteral(
                "barre oblique inverse seule en fin de champ (écrivez \\\\ pour une barre oblique inverse)"));
        const QChar escaped = field[++i];
        if (escaped == u't')
            text.append(u'\t');
        else if (escaped == u'n')
            text.append(u'\n');
        else if (escaped == u'\\')
            text.append(u'\\');
        else
            throw CatalogueError(
                QStringLiteral("échappement inconnu « \\%1 » (seuls \\t, \\n et \\\\ sont admis)").arg(escaped));
    }
    return text;
}

QString parseStorableText(QStringView field)
{
    QString text = unescapeText(field);
    if (!isStorableAsJet4Text(text))
        throw CatalogueError(
            QStringLiteral("un texte qui commence par U+FEFF ne peut pas contenir de caractère comme U+0100 ou U+2000 "
                           "(aucun lecteur ne le relirait tel quel)"));
    return text;
}

FieldValue parseText(QStringView field, const ColumnSpec &column)
{
    const QString text = parseStorableText(field);
    if (text.size() > column.maxChars)
        throw CatalogueError(QStringLiteral("le texte fait %1 caractères, la colonne en admet %2")
                                 .arg(text.size())
                                 .arg(column.maxChars));
    return text;
}

FieldValue parseMemo(QStringView field)
{
    const QString text = parseStorableText(field);
    // Stored uncompressed, two bytes a character.
    if (text.size() > MaxLongValueBytes / 2)
        throw CatalogueError(
            QStringLiteral("le mémo fait %1 caractères, au plus %2").arg(text.size()).arg(MaxLongValueBytes / 2));
    return text;
}

// Fields whose value is a text or bytes: an empty field is an empty value.
bool acceptsEmptyField(ColumnType type)
{
    return type == ColumnType::Text || type == ColumnType::Memo || type == ColumnType::Binary ||
           type == ColumnType::LongBinary;
}

}  // namespace

FieldValue parseField(QStringView field, const ColumnSpec &column)
{
    if (field == u"NULL") {
        if (column.type == ColumnType::Boolean)
            throw CatalogueError(
                QStringLiteral("un booléen ne peut pas être NULL : son bit dans le masque des nuls est sa valeur "
                               "(écrivez 0 ou 1)"));
        return std::monostate();
    }
    if (field.isEmpty() && !acceptsEmptyField(column.type))
        throw CatalogueError(QStringLiteral("valeur vide (écrivez NULL pour une valeur absente)"));
    switch (column.type) {
    case ColumnType::Integer:
        return parseWholeNumber(field, 32767, QStringLiteral("d'un entier INT (−32 768 à 32 767)"));
    case ColumnType::Long:
        return parseWholeNumber(field, 2147483647, QStringLiteral("d'un entier LONG (−2 147 483 648 à 2 147 483 647)"));
    case ColumnType::Money:
        return parseMoney(field);
    case ColumnType::Double:
        return parseDouble(field);
    case ColumnType::Text:
        return parseText(field, column);
    case ColumnType::Boolean:
        return parseBoolean(field);
    case ColumnType::Byte:
        return parseByte(field);
    case ColumnType::Single:
        return parseSingle(field);
    case ColumnType::DateTime:
        return parseDateTime(field);
    case ColumnType::Guid:
        return parseGuid(field);
    case ColumnType::Binary:
        return parseHexBytes(field, column.maxBytes);
    case ColumnType::LongBinary:
        return parseHexBytes(field, -1);
    case ColumnType::Memo:
        return parseMemo(field);
    }
    throw CatalogueError(QStringLiteral("type de colonne non pris en charge"));
}

}  // namespace jetwriter
