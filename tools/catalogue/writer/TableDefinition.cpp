#include "TableDefinition.h"

#include "CatalogueError.h"
#include "LittleEndian.h"
#include "PageFormat.h"

namespace jetwriter {

namespace {

constexpr std::uint16_t GeneralSortOrder = 0x0409;
constexpr std::uint8_t UserTableKind = 0x4E;
constexpr std::uint8_t SystemTableKind = 0x53;
constexpr std::uint8_t FixedLengthColumn = 0x01;
constexpr std::uint8_t UpdatableColumn = 0x02;
constexpr std::uint8_t CompressibleText = 0x01;
constexpr std::uint8_t AscendingKey = 0x01;
constexpr int IndexKeySlots = 10;

void appendName(QByteArray &bytes, const QString &name)
{
    appendLittleEndian<quint16>(bytes, quint16(2 * name.size()));
    for (QChar c : name)
        appendLittleEndian<quint16>(bytes, c.unicode());
}

QByteArray fixedHeader(const TableDefinition &definition, int indexCount)
{
    const auto &layout = *definition.layout;
    QByteArray header(63, '\0');
    header[0] = char(TableDefinitionKind);
    header[1] = 0x01;
    putLittleEndian<quint32>(header, 16, definition.rowCount);
    header[24] = 0x01;
    header[40] = char(definition.system ? SystemTableKind : UserTableKind);
    const auto columnCount = quint16(layout.columns().size());
    putLittleEndian<quint16>(header, 41, columnCount);  // most columns ever: none were dropped
    putLittleEndian<quint16>(header, 43, quint16(layout.variableCount()));
    putLittleEndian<quint16>(header, 45, columnCount);
    putLittleEndian<quint32>(header, 47, quint32(indexCount));  // logical indexes
    putLittleEndian<quint32>(header, 51, quint32(indexCount));  // real indexes
    putLittleEndian<quint32>(header, 55, definition.usageMapPointer);
    putLittleEndian<quint32>(header, 59, definition.freeSpaceMapPointer);
    return header;
}

QByteArray columnEntry(const ColumnLayout &column)
{
    QByteArray entry(25, '\0');
    entry[0] = char(column.typeCode);
    putLittleEndian<quint16>(entry, 5, quint16(column.number));
    putLittleEndian<quint16>(entry, 7, quint16(column.fixed ? 0 : column.variableIndex));
    putLittleEndian<quint16>(entry, 9, quint16(column.number));
    const bool text = column.declared.type == ColumnType::Text || column.declared.type == ColumnType::Memo;
    if (text)
        putLittleEndian<quint16>(entry, 11, GeneralSortOrder);
    entry[15] = char((column.fixed ? FixedLengthColumn : 0) | UpdatableColumn);
    entry[16] = char(text ? CompressibleText : 0);
    putLittleEndian<quint16>(entry, 21, quint16(column.fixed ? column.fixedOffset : 0));
    putLittleEndian<quint16>(entry, 23, quint16(column.size));
    return entry;
}

QByteArray realIndexEntry(const IndexDefinition &index)
{
    QByteArray entry(52, '\0');
    for (int slot = 0; slot < IndexKeySlots; ++slot) {
        const int at = 4 + 3 * slot;
        putLittleEndian<quint16>(entry, at, quint16(slot == 0 ? index.keyColumn : 0xFFFF));
        entry[at + 2] = char(slot == 0 ? AscendingKey : 0);
    }
    putLittleEndian<quint32>(entry, 34, index.usageMapPointer);
    putLittleEndian<quint32>(entry, 38, index.rootPage);
    // Flags stay 0: the key need not be unique, and nulls are kept.
    return entry;
}

QByteArray logicalIndexEntry()
{
    QByteArray entry(28, '\0');
    // Index number 0, using real index 0; no foreign key (−1), a plain index (kind 0).
    putLittleEndian<qint32>(entry, 13, -1);
    return entry;
}

}  // namespace

QByteArray tableDefinitionPage(const TableDefinition &definition)
{
    const int indexCount = definition.index ? 1 : 0;
    QByteArray page = fixedHeader(definition, indexCount);
    if (definition.index) {
        // Per real index: zero, its row count, zero.
        appendLittleEndian<quint32>(page, 0);
        appendLittleEndian<quint32>(page, definition.rowCount);
        appendLittleEndian<quint32>(page, 0);
    }
    for (const ColumnLayout &column : definition.layout->columns())
        page.append(columnEntry(column));
    for (const ColumnLayout &column : definition.layout->columns())
        appendName(page, column.declared.name);
    if (definition.index) {
        page.append(realIndexEntry(*definition.index));
        page.append(logicalIndexEntry());
        appendName(page, definition.index->name);
    }
    for (const LongValueColumn &column : definition.longValueColumns) {
        appendLittleEndian<quint16>(page, quint16(column.number));
        appendLittleEndian<quint32>(page, column.usageMapPointer);
        appendLittleEndian<quint32>(page, column.freeSpaceMapPointer);
    }
    appendLittleEndian<quint16>(page, 0xFFFF);

    if (page.size() > PageSize)
        throw CatalogueError(QStringLiteral("la définition de la table « %1 » ne tient pas sur une page "
                                            "(%2 octets, au plus %3) : trop de colonnes ou des noms trop longs")
                                 .arg(definition.name, QString::number(page.size()), QString::number(PageSize)));
    const int length = int(page.size());
    putLittleEndian<quint32>(page, 8, quint32(length));
    putLittleEndian<quint16>(page, 2, quint16(PageSize - length - 8));
    page.resize(PageSize, '\0');
    return page;
}

}  // namespace jetwriter
