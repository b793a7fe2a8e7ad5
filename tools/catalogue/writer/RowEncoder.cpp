#include "RowEncoder.h"

#include "Jet4Text.h"
#include "LittleEndian.h"
#include "LongValues.h"

#include <QList>
#include <cstring>

namespace jetwriter {

namespace {

void putReal(QByteArray &row, int offset, double number)
{
    quint64 bits = 0;
    std::memcpy(&bits, &number, sizeof bits);
    putLittleEndian<quint64>(row, offset, bits);
}

void putFixedValue(QByteArray &row, int offset, const ColumnLayout &column, const FieldValue &value)
{
    switch (column.declared.type) {
    case ColumnType::Byte:
        row[offset] = char(std::get<std::int64_t>(value));
        break;
    case ColumnType::Integer:
        putLittleEndian<qint16>(row, offset, qint16(std::get<std::int64_t>(value)));
        break;
    case ColumnType::Long:
        putLittleEndian<qint32>(row, offset, qint32(std::get<std::int64_t>(value)));
        break;
    case ColumnType::Money:
        putLittleEndian<qint64>(row, offset, qint64(std::get<std::int64_t>(value)));
        break;
    case ColumnType::Single: {
        quint32 bits = 0;
        const auto number = float(std::get<double>(value));  // exact: the double holds a float
        std::memcpy(&bits, &number, sizeof bits);
        putLittleEndian<quint32>(row, offset, bits);
        break;
    }
    case ColumnType::Double:
    case ColumnType::DateTime:
        putReal(row, offset, std::get<double>(value));
        break;
    case ColumnType::Guid: {
        const QByteArray &bytes = std::get<QByteArray>(value);
        std::copy(bytes.cbegin(), bytes.cend(), row.begin() + offset);
        break;
    }
    case ColumnType::Boolean:  // in the null mask only
    case ColumnType::Text:
    case ColumnType::Binary:
    case ColumnType::LongBinary:
    case ColumnType::Memo:
        break;  // variable-length: never in the fixed area
    }
}

QByteArray variableValue(const ColumnLayout &column, const FieldValue &value, LongValuePages *longValues)
{
    switch (column.declared.type) {
    case ColumnType::Text:
        return encodeJet4Text(std::get<QString>(value));
    case ColumnType::Binary:
        return std::get<QByteArray>(value);
    case ColumnType::Memo:
        Q_ASSERT(longValues);
        return longValues->store(column.number, encodeJet4Text(std::get<QString>(value)));
    case ColumnType::LongBinary:
        Q_ASSERT(longValues);
        return longValues->store(column.number, std::get<QByteArray>(value));
    default:
        return {};
    }
}

// A boolean's bit is its value; any other column's says it has one.
bool nullMaskBit(const ColumnLayout &column, const FieldValue &value)
{
    if (column.declared.type == ColumnType::Boolean)
        return std::get<std::int64_t>(value) != 0;
    return true;
}

}  // namespace

QByteArray encodeRow(const TableLayout &layout, const Row &row, LongValuePages *longValues)
{
    const auto &columns = layout.columns();
    QByteArray bytes(2 + layout.fixedAreaSize(), '\0');
    putLittleEndian<quint16>(bytes, 0, quint16(columns.size()));

    QByteArray nullMask((int(columns.size()) + 7) / 8, '\0');
    QList<QByteArray> variableValues(layout.variableCount());
    for (const ColumnLayout &column : columns) {
        const FieldValue &value = row[std::size_t(column.number)];
        if (std::holds_alternative<std::monostate>(value))
            continue;  // null: bit stays clear, fixed bytes stay zero
        if (nullMaskBit(column, value))
            nullMask[column.number / 8] = char(nullMask[column.number / 8] | (1 << (column.number % 8)));
        if (column.fixed)
            putFixedValue(bytes, 2 + column.fixedOffset, column, value);
        else
            variableValues[column.variableIndex] = variableValue(column, value, longValues);
    }

    if (layout.variableCount() > 0) {
        QList<quint16> starts;
        for (const QByteArray &value : variableValues) {
            starts.append(quint16(bytes.size()));
            bytes.append(value);
        }
        appendLittleEndian<quint16>(bytes, quint16(bytes.size()));  // end of variable data
        for (qsizetype i = starts.size(); i-- > 0;)                 // last variable field first
            appendLittleEndian<quint16>(bytes, starts[i]);
        appendLittleEndian<quint16>(bytes, quint16(layout.variableCount()));
    }
    bytes.append(nullMask);
    return bytes;
}

}  // namespace jetwriter
