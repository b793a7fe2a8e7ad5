#include "ValueDecoding.h"

#include "ColumnValues.h"
#include "LongValue.h"
#include "RowLayout.h"
#include "TableDefinition.h"
#include "TextDecoding.h"

#include <QtEndian>
#include <cmath>
#include <cstring>
#include <optional>

namespace jet {

namespace {

template <class T>
T little(const unsigned char *bytes)
{
    return qFromLittleEndian<T>(bytes);
}

double realOf(const unsigned char *bytes, std::size_t size)
{
    if (size == sizeof(float)) {
        float single;
        std::memcpy(&single, bytes, sizeof single);
        return single;  // widening is exact
    }
    double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// Decimal: a sign byte (0x80 negative), then a 128-bit magnitude as four little-endian
// 32-bit words, the most significant first; the value is the magnitude over 10^scale.
// Given as the nearest double.
double decimalOf(const unsigned char *bytes, int scale)
{
    long double magnitude = 0;
    for (int word = 0; word < 4; ++word)
        magnitude = magnitude * 4294967296.0L + little<quint32>(bytes + 1 + 4 * std::ptrdiff_t(word));
    const long double value = magnitude / std::pow(10.0L, scale);
    return double((bytes[0] & 0x80) ? -value : value);
}

// Binary data shown as its bytes in upper-case hexadecimal.
void appendHex(const unsigned char *bytes, std::size_t size, std::u16string &out)
{
    static constexpr char16_t Digits[] = u"0123456789ABCDEF";
    for (std::size_t i = 0; i < size; ++i) {
        out += Digits[bytes[i] >> 4];
        out += Digits[bytes[i] & 0xF];
    }
}

// The usual braced form; the first three groups are stored little-endian.
void writeGuid(const unsigned char *b, std::u16string &out)
{
    static constexpr int Order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    out.assign(1, u'{');
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            out += u'-';
        appendHex(b + Order[i], 1, out);
    }
    out += u'}';
}

std::size_t fixedSizeOf(ColumnType type)
{
    switch (type) {
    case ColumnType::Byte:
        return 1;
    case ColumnType::Integer:
        return 2;
    case ColumnType::Long:
    case ColumnType::Complex:
    case ColumnType::Single:
        return 4;
    case ColumnType::Currency:
    case ColumnType::Double:
    case ColumnType::DateTime:
    case ColumnType::BigInt:
        return 8;
    case ColumnType::Guid:
        return 16;
    case ColumnType::Decimal:
        return 17;
    default:
        return 0;
    }
}

// The value as the text the engine shows, into `out`; false when a long value's pages do
// not hold together.
bool textOf(const ColumnDefinition &column, const FieldBytes &field, LongValues &longValues, const TextDecoding &text,
            std::u16string &out)
{
    switch (column.type) {
    case ColumnType::Text:
        text.decode(field.data, field.size, out);
        return true;
    case ColumnType::Memo:
    case ColumnType::LongBinary: {
        const std::optional<QByteArray> value = longValues.read(field);
        if (!value)
            return false;
        const auto *bytes = reinterpret_cast<const unsigned char *>(value->constData());
        const auto size = std::size_t(value->size());
        if (column.type == ColumnType::Memo) {
            text.decode(bytes, size, out);
        } else {
            out.clear();
            appendHex(bytes, size, out);
        }
        return true;
    }
    case ColumnType::Guid:
        writeGuid(field.data, out);
        return true;
    default:  // binary, and kinds this engine does not know: their bytes
        out.clear();
        appendHex(field.data, field.size, out);
        return true;
    }
}

}  // namespace

bool decodeValue(const ColumnDefinition &column, const FieldBytes &field, LongValues &longValues,
                 const TextDecoding &text, ColumnValues &values, std::u16string &textBuffer)
{
    if (column.type == ColumnType::Boolean) {
        values.appendInteger(field.bit ? -1 : 0);
        return true;
    }
    if (field.isNull) {
        values.appendNull();
        return true;
    }
    if (field.size < fixedSizeOf(column.type))
        return false;
    const unsigned char *b = field.data;
    switch (column.type) {
    case ColumnType::Byte:
        values.appendInteger(b[0]);
        break;
    case ColumnType::Integer:
        values.appendInteger(little<qint16>(b));
        break;
    case ColumnType::Long:
    case ColumnType::Complex:
        values.appendInteger(little<qint32>(b));
        break;
    case ColumnType::Currency:
    case ColumnType::BigInt:
        values.appendInteger(little<qint64>(b));
        break;
    case ColumnType::Single:
        values.appendReal(realOf(b, 4));
        break;
    case ColumnType::Double:
    case ColumnType::DateTime:
        values.appendReal(realOf(b, 8));
        break;
    case ColumnType::Decimal:
        values.appendReal(decimalOf(b, column.scale));
        break;
    default:
        if (column.type == ColumnType::Text) {
            if (const std::optional<std::string_view> latin1 = text.storedAsLatin1(field.data, field.size)) {
                values.appendLatin1Text(*latin1);
                break;
            }
        }
        if (!textOf(column, field, longValues, text, textBuffer))
            return false;
        values.appendText(textBuffer);
        break;
    }
    return true;
}

}  // namespace jet
