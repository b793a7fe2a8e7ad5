#pragma once
// A table before it is laid out in pages: its name, its columns in stored order and its
// rows of values.

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

namespace jetwriter {

enum class ColumnType {
    Text,
    Integer,  // 16-bit
    Long,     // 32-bit
    Double,
    Money,       // 64-bit count of ten-thousandths
    LongBinary,  // OLE object: bytes of any length, kept apart from the row when long
    Boolean,     // no bytes: the null-mask bit is the value
    Byte,        // unsigned 8-bit
    Single,      // 4-byte float
    DateTime,    // double: days since 1899-12-30, time of day as the fraction
    Guid,        // 16 bytes
    Binary,      // at most maxBytes bytes, in the row
    Memo,        // text of any length, kept apart from the row when long
};

struct ColumnSpec {
    QString name;
    ColumnType type = ColumnType::Text;
    int maxChars = 0;  // Text only: the most UTF-16 units a value may hold
    int maxBytes = 0;  // Binary only: the most bytes a value may hold
};

// Null; an integer (Integer, Long, Byte, Money in ten-thousandths, Boolean as 0 or 1); a
// double (Double, DateTime, and Single, whose float it holds exactly); a text (Text, Memo);
// or bytes as they are stored (Binary, LongBinary, Guid).
using FieldValue = std::variant<std::monostate, std::int64_t, double, QString, QByteArray>;
using Row = std::vector<FieldValue>;

struct TableContent {
    QString name;
    QList<ColumnSpec> columns;
    std::vector<Row> rows;
};

}  // namespace jetwriter
