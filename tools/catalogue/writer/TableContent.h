#pragma once
// A table before it is laid out in pages: its name, its columns in stored order and its
// rows of values.

#include <QList>
#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

namespace jetwriter {

enum class ColumnType {
    Text,
    Integer,     // 16-bit
    Long,        // 32-bit
    Double,
    Money,       // 64-bit count of ten-thousandths
    LongBinary,  // only in the catalog table, where it is always null
};

struct ColumnSpec {
    QString name;
    ColumnType type = ColumnType::Text;
    int maxChars = 0;  // Text only: the most UTF-16 units a value may hold
};

// Null, an integer (Integer, Long, and Money in ten-thousandths), a double, or a text.
using FieldValue = std::variant<std::monostate, std::int64_t, double, QString>;
using Row = std::vector<FieldValue>;

struct TableContent {
    QString name;
    QList<ColumnSpec> columns;
    std::vector<Row> rows;
};

}  // namespace jetwriter
