#include "TsvReader.h"

#include "CatalogueError.h"
#include "FieldParser.h"
#include "ObjectNames.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <optional>

namespace jetwriter {

namespace {

// The longest text (in characters) or binary value (in bytes) a row can hold in place.
constexpr int MaxInRowLength = 255;

// The types written without a length. BOOLEAN and a bare BINARY are how `dump` names a
// boolean and a binary column, so that its output reads back.
std::optional<ColumnType> plainType(const QString &type)
{
    static const QHash<QString, ColumnType> types = {
        {QStringLiteral("INT"), ColumnType::Integer},       {QStringLiteral("LONG"), ColumnType::Long},
        {QStringLiteral("DOUBLE"), ColumnType::Double},     {QStringLiteral("MONEY"), ColumnType::Money},
        {QStringLiteral("BOOL"), ColumnType::Boolean},      {QStringLiteral("BOOLEAN"), ColumnType::Boolean},
        {QStringLiteral("BYTE"), ColumnType::Byte},         {QStringLiteral("SINGLE"), ColumnType::Single},
        {QStringLiteral("DATETIME"), ColumnType::DateTime}, {QStringLiteral("GUID"), ColumnType::Guid},
        {QStringLiteral("BINARY"), ColumnType::Binary},     {QStringLiteral("MEMO"), ColumnType::Memo},
        {QStringLiteral("OLE"), ColumnType::LongBinary},
    };
    const auto found = types.constFind(type);
    return found == types.constEnd() ? std::nullopt : std::optional<ColumnType>(*found);
}

[[noreturn]] void failAt(int line, const QString &what)
{
    throw CatalogueError(QStringLiteral("ligne %1 : %2").arg(line).arg(what));
}

ColumnSpec parseColumnHeader(QStringView cell, int line, int position)
{
    const auto failHere = [&](const QString &what) {
        failAt(line, QStringLiteral("en-tête, colonne %1 : %2").arg(position).arg(what));
    };
    const qsizetype colon = cell.lastIndexOf(u':');
    if (colon < 0)
        failHere(QStringLiteral("« %1 » n'a pas la forme nom:TYPE").arg(cell));
    ColumnSpec column;
    column.name = cell.left(colon).toString();
    const QString nameProblem = objectNameProblem(column.name);
    if (!nameProblem.isEmpty())
        failHere(nameProblem);

    const QString type = cell.mid(colon + 1).trimmed().toString().toUpper();
    static const QRegularExpression sizedType(QStringLiteral("^(TEXT|BINARY)\\s*\\(\\s*(\\d+)\\s*\\)$"));
    if (const QRegularExpressionMatch sized = sizedType.match(type); sized.hasMatch()) {
        const bool text = sized.captured(1) == u"TEXT";
        const int length = sized.captured(2).toInt();  // 0 when too large to read: out of range below
        if (length < 1 || length > MaxInRowLength)
            failHere(QStringLiteral("longueur %1 %2 hors limites (1 à %3)")
                         .arg(text ? QStringLiteral("de texte") : QStringLiteral("de binaire"), sized.captured(2))
                         .arg(MaxInRowLength));
        column.type = text ? ColumnType::Text : ColumnType::Binary;
        (text ? column.maxChars : column.maxBytes) = length;
    } else if (const std::optional<ColumnType> plain = plainType(type)) {
        column.type = *plain;
        // What `dump` writes for a binary column, whose size it does not show.
        if (column.type == ColumnType::Binary)
            column.maxBytes = MaxInRowLength;
    } else {
        failHere(QStringLiteral("type inconnu « %1 » (TEXT(n), INT, LONG, DOUBLE, MONEY, BOOL, BYTE, SINGLE, DATETIME, "
                                "GUID, BINARY(n), MEMO ou OLE)")
                     .arg(cell.mid(colon + 1)));
    }
    return column;
}

QList<ColumnSpec> parseHeader(QStringView line, int lineNumber)
{
    QList<ColumnSpec> columns;
    QSet<QString> seen;
    int position = 0;
    for (QStringView cell : line.split(u'\t')) {
        ColumnSpec column = parseColumnHeader(cell, lineNumber, ++position);
        if (seen.contains(column.name.toCaseFolded()))
            failAt(lineNumber, QStringLiteral("en-tête : la colonne « %1 » apparaît deux fois").arg(column.name));
        seen.insert(column.name.toCaseFolded());
        columns.append(std::move(column));
    }
    return columns;
}

Row parseRow(QStringView line, int lineNumber, const QList<ColumnSpec> &columns)
{
    const QList<QStringView> fields = line.split(u'\t');
    if (fields.size() != columns.size())
        failAt(lineNumber, QStringLiteral("%1 champ(s) au lieu de %2 (les champs sont séparés par des tabulations)")
                               .arg(fields.size())
                               .arg(columns.size()));
    Row row;
    row.reserve(std::size_t(columns.size()));
    for (qsizetype i = 0; i < fields.size(); ++i) {
        try {
            row.push_back(parseField(fields[i], columns[i]));
        } catch (const CatalogueError &error) {
            failAt(lineNumber, QStringLiteral("colonne « %1 » : %2").arg(columns[i].name, error.message()));
        }
    }
    return row;
}

}  // namespace

TableContent readTsvTable(const QString &text, const QString &tableName)
{
    TableContent table;
    table.name = tableName;
    bool haveHeader = false;
    int lineNumber = 0;
    QStringView rest(text);
    if (rest.startsWith(u'\uFEFF'))
        rest = rest.mid(1);  // a byte order mark left by some editors
    for (QStringView line : rest.split(u'\n')) {
        ++lineNumber;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (!haveHeader) {
            table.columns = parseHeader(line, lineNumber);
            haveHeader = true;
        } else {
            table.rows.push_back(parseRow(line, lineNumber, table.columns));
        }
    }
    if (!haveHeader)
        throw CatalogueError(
            QStringLiteral("aucune ligne d'en-tête : la première ligne utile doit décrire les colonnes (nom:TYPE)"));
    return table;
}

}  // namespace jetwriter
