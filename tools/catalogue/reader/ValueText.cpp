#include "ValueText.h"

#include "ColumnType.h"
#include "Jet.h"

#include <QDate>
#include <QLocale>
#include <cmath>

namespace catalogue {

using jet::ColumnType;

namespace {

QString typeName(ColumnType type, std::int32_t size)
{
    switch (type) {
    case ColumnType::Text:
        return QStringLiteral("TEXT(%1)").arg(size);
    case ColumnType::Integer:
        return QStringLiteral("INT");
    case ColumnType::Long:
        return QStringLiteral("LONG");
    case ColumnType::Double:
        return QStringLiteral("DOUBLE");
    case ColumnType::Currency:
        return QStringLiteral("MONEY");
    case ColumnType::Boolean:
        return QStringLiteral("BOOLEAN");
    case ColumnType::Byte:
        return QStringLiteral("BYTE");
    case ColumnType::Single:
        return QStringLiteral("SINGLE");
    case ColumnType::DateTime:
        return QStringLiteral("DATETIME");
    case ColumnType::Memo:
        return QStringLiteral("MEMO");
    case ColumnType::Binary:
        return QStringLiteral("BINARY");
    case ColumnType::LongBinary:
        return QStringLiteral("OLE");
    case ColumnType::Guid:
        return QStringLiteral("GUID");
    case ColumnType::Decimal:
        return QStringLiteral("DECIMAL");
    case ColumnType::Complex:
        return QStringLiteral("COMPLEX");
    case ColumnType::BigInt:
        return QStringLiteral("BIGINT");
    }
    return QStringLiteral("TYPE%1").arg(int(type));
}

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\')
            out += QLatin1String("\\\\");
        else if (c == u'\t')
            out += QLatin1String("\\t");
        else if (c == u'\n')
            out += QLatin1String("\\n");
        else
            out += c;
    }
    return out;
}

QString realText(double value, ColumnType type)
{
    if (type == ColumnType::DateTime)
        return dateText(value);
    // QLocale drops the sign of −0, which reads back as another double.
    if (value == 0 && std::signbit(value))
        return QStringLiteral("-0");
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

}  // namespace

QString columnHeader(const jet::Field &field)
{
    return field.Name() + QLatin1Char(':') + typeName(ColumnType(field.Type()), field.Size());
}

QString amountText(Currency amount)
{
    // In unsigned arithmetic, so that the most negative amount has a magnitude too.
    const bool negative = amount.tenThousandths < 0;
    const std::uint64_t magnitude =
        negative ? 0 - std::uint64_t(amount.tenThousandths) : std::uint64_t(amount.tenThousandths);
    return QStringLiteral("%1%2.%3")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(magnitude / Currency::Scale)
        .arg(magnitude % Currency::Scale, 4, 10, QLatin1Char('0'));
}

// The whole part counts days from 1899-12-30 (negative before it); the fraction is the
// time of day, forward from midnight of that day whatever the sign.
QString dateText(double serial)
{
    if (!std::isfinite(serial) || std::fabs(serial) > 1e7)
        return QLocale::c().toString(serial, 'g', QLocale::FloatingPointShortest);
    double days = std::trunc(serial);
    auto seconds = std::int64_t(std::llround(std::fabs(serial - days) * 86400.0));
    QDate date = QDate(1899, 12, 30).addDays(std::int64_t(days));
    if (seconds >= 86400) {
        date = date.addDays(1);
        seconds -= 86400;
    }
    return QStringLiteral("%1 %2:%3:%4")
        .arg(date.toString(Qt::ISODate))
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString valueText(const MixedValue &value, std::int16_t fieldType)
{
    const auto type = ColumnType(fieldType);
    switch (value.kind()) {
    case MixedValue::Kind::Empty:
        return QString();
    case MixedValue::Kind::Null:
        return QStringLiteral("NULL");
    case MixedValue::Kind::Int16:
        return QString::number(value.as<std::int16_t>());
    case MixedValue::Kind::Int32:
        return QString::number(value.as<std::int32_t>());
    case MixedValue::Kind::Double:
        return realText(value.as<double>(), type);
    case MixedValue::Kind::Currency:
        return amountText(value.as<Currency>());
    case MixedValue::Kind::Text:
        return escaped(value.as<QString>());
    }
    return QString();
}

}  // namespace catalogue
