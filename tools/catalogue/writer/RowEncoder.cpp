#include "RowEncoder.h"

#include "Jet4Text.h"
#include "LittleEndian.h"

#include <QList>
#include <cstring>

namespace jetwriter {

namespace {

void putFixedValue(QByteArray &row, int offset, const ColumnLayout &column, const FieldValue &value)
{
    switch (column.declared.type) {
    case ColumnType::Integer:
        putLittleEndian<qint16>(row, offset, qint16(std::get<std::int64_t>(value)));
        break;
    case ColumnType::Long:
        putLittleEndian<qint32>(row, offset, qint32(std::get<std::int64_t>(value)));
        break;
    case ColumnType::Money:
        putLittleEndian<qint64>(row, offset, qint64(std::get<std::int64_t>(value)));
        break;
    case ColumnType::Double: {
        quint64 bits = 0;
        const double number = std::get<double>(value);
        std::memcpy(&bits, &number, sizeof bits);
        putLittleEndian<quint64>(row, offset, bits);
        break;
    }
    case ColumnType::Text:
    case ColumnType::LongBinary:
        break;  // variable-length: never in the fixed area
    }
}

}  // namespace

QByteArray encodeRow(const TableLayout &layout, const Row &row)
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
        nullMask[column.number / 8] = char(nullMask[column.number / 8] | (1 << (column.number % 8)));
        if (column.fixed)
            putFixedValue(bytes, 2 + column.fixedOffset, column, value);
        else
            variableValues[column.variableIndex] = encodeJet4Text(std::get<QString>(value));
    }

    if (layout.variableCount() > 0) {
        QList<quint16> starts;
        for (const QByteArray &value : variableValues) {
            starts.append(quint16(bytes.size()));
            bytes.append(value);
        }
        appendLittleEndian<quint16>(bytes, quint16(bytes.size()));  // end of variable data
        for (auto it = starts.crbegin(); it != starts.crend(); ++it)
            appendLittleEndian<quint16>(bytes, *it);
        appendLittleEndian<quint16>(bytes, quint16(layout.variableCount()));
    }
    bytes.append(nullMask);
    return bytes;
}

}  // namespace jetwriter
