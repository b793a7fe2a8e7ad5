#include "CatalogueDatabase.h"

#include "CatalogueError.h"
#include "DataPage.h"
#include "DatabaseHeader.h"
#include "LittleEndian.h"
#include "LongValues.h"
#include "PageFormat.h"
#include "RowEncoder.h"
#include "TableDefinition.h"
#include "UsageMap.h"

namespace jetwriter {

namespace {

// The page plan, after the header (page 0) and an empty page 1 (where Access keeps a map of
// all pages, which readers skip). Page 2 must hold the catalog's definition: every reader
// starts there.
constexpr std::uint32_t CatalogDefinitionPage = 2;
constexpr std::uint32_t UsageMapsPage = 3;
constexpr std::uint32_t CatalogDataPage = 4;
constexpr std::uint32_t TableDefinitionPage = 5;
constexpr std::uint32_t IndexRootPage = 6;

// Rows on the usage-maps page, in this order; after them, two for each memo or OLE column
// (its long-value pages, and those with room left).
enum UsageMapRow { CatalogPages, CatalogFreePages, TablePages, TableFreePages, IndexPages };

// The largest row Jet 4 lets a table have.
constexpr int MaxRowSize = 4060;

const QString IndexName = QStringLiteral("XREF");
const QString IndexKeyColumn = QStringLiteral("ref");

int indexKeyColumn(const TableContent &table)
{
    for (int i = 0; i < table.columns.size(); ++i)
        if (table.columns[i].name.compare(IndexKeyColumn, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// The catalog lists every object of the file; readers need Id (the definition page), Name,
// Type (1: a local table), Flags (system bits), and LvProp present (null: no properties).
TableContent catalogContent(const QString &userTableName)
{
    using V = FieldValue;
    constexpr std::int64_t TablesContainer = 0x0F000001;
    constexpr std::int64_t LocalTable = 1;
    constexpr std::int64_t SystemObject = std::int64_t(std::int32_t(0x80000000u));
    TableContent catalog;
    catalog.name = QStringLiteral("MSysObjects");
    catalog.columns = {
        {QStringLiteral("Id"), ColumnType::Long},        {QStringLiteral("ParentId"), ColumnType::Long},
        {QStringLiteral("Name"), ColumnType::Text, 255}, {QStringLiteral("Type"), ColumnType::Integer},
        {QStringLiteral("Flags"), ColumnType::Long},     {QStringLiteral("LvProp"), ColumnType::LongBinary}};
    catalog.rows = {
        {V(std::int64_t(CatalogDefinitionPage)), V(TablesContainer), V(catalog.name), V(LocalTable), V(SystemObject),
         V()},
        {V(std::int64_t(TableDefinitionPage)), V(TablesContainer), V(userTableName), V(LocalTable), V(std::int64_t(0)),
         V()},
    };
    return catalog;
}

QByteArray emptyIndexLeaf()
{
    QByteArray page(PageSize, '\0');
    page[0] = char(IndexLeafKind);
    page[1] = 0x01;
    putLittleEndian<quint16>(page, 2, quint16(PageSize - 0x1E0));  // all its entry space is free
    putLittleEndian<quint32>(page, 4, TableDefinitionPage);
    return page;
}

void checkRowSize(const TableContent &table, const TableLayout &layout)
{
    const int largest = layout.largestRowSize();
    if (largest > MaxRowSize)
        throw CatalogueError(QStringLiteral("en-tête : une ligne de la table « %1 » pourrait faire %2 octets, "
                                            "plus que les %3 qu'une page admet ; raccourcissez les colonnes de texte")
                                 .arg(table.name)
                                 .arg(largest)
                                 .arg(MaxRowSize));
}

std::vector<QByteArray> encodeRows(const TableContent &table, const TableLayout &layout,
                                   LongValuePages *longValues = nullptr)
{
    std::vector<QByteArray> rows;
    rows.reserve(table.rows.size());
    for (const Row &row : table.rows)
        rows.push_back(encodeRow(layout, row, longValues));
    return rows;
}

// The rows of the usage-maps page as they are added, and the bitmap pages of the maps too
// large for their row, numbered on from the first page after the data pages.
struct UsageMapRows {
    explicit UsageMapRows(std::uint32_t firstBitmapPage) : nextBitmapPage(firstBitmapPage) {}

    // Returns the row's page-row pointer.
    std::uint32_t add(const QByteArray &row)
    {
        rows.push_back(row);
        return pageRowPointer(UsageMapsPage, int(rows.size()) - 1);
    }

    QByteArray mapOf(const std::vector<std::uint32_t> &pages)
    {
        UsageMap map = makeUsageMap(pages, nextBitmapPage);
        nextBitmapPage += std::uint32_t(map.bitmapPages.size());
        for (QByteArray &page : map.bitmapPages)
            bitmapPages.push_back(std::move(page));
        return map.row;
    }

    std::vector<QByteArray> rows;
    std::vector<QByteArray> bitmapPages;
    std::uint32_t nextBitmapPage;
};

// Every map row sits on the one usage-maps page; each memo or OLE column adds two.
void checkMapsFit(const std::vector<QByteArray> &rows)
{
    int used = DataPage::FirstSlotOffset;
    for (const QByteArray &row : rows)
        used += int(row.size()) + 2;
    if (used > PageSize)
        throw CatalogueError(
            QStringLiteral("en-tête : trop de colonnes MEMO ou OLE, leurs tables de pages ne tiennent pas "
                           "sur une page (%1 octets, au plus %2)")
                .arg(used)
                .arg(PageSize));
}

}  // namespace

QByteArray buildCatalogueDatabase(const TableContent &table, const RowFates &fates, bool withIndex)
{
    const TableLayout layout(table.columns);
    checkRowSize(table, layout);
    const int keyColumn = withIndex ? indexKeyColumn(table) : -1;
    const bool indexed = keyColumn >= 0;

    // Long-value pages come before the data pages: the rows name them, so their numbers
    // must be known while the rows are encoded.
    const std::uint32_t firstLongValuePage = indexed ? IndexRootPage + 1 : IndexRootPage;
    LongValuePages longValues(firstLongValuePage);
    const std::vector<QByteArray> rows = encodeRows(table, layout, &longValues);
    const std::uint32_t firstDataPage = firstLongValuePage + std::uint32_t(longValues.pageCount());
    std::vector<QByteArray> dataPages = layOutDataPages(rows, fates, TableDefinitionPage, firstDataPage);
    std::vector<std::uint32_t> dataPageNumbers;
    for (std::uint32_t i = 0; i < dataPages.size(); ++i)
        dataPageNumbers.push_back(firstDataPage + i);
    UsageMapRows maps(firstDataPage + std::uint32_t(dataPages.size()));
    const UsageMap catalogMap = makeUsageMap({CatalogDataPage}, 0);
    maps.add(catalogMap.row);
    maps.add(catalogMap.row);
    const QByteArray tableMap = maps.mapOf(dataPageNumbers);
    maps.add(tableMap);
    maps.add(tableMap);
    if (indexed)
        maps.add(makeUsageMap({IndexRootPage}, 0).row);
    std::vector<LongValueColumn> longValueColumns;
    for (const ColumnLayout &column : layout.columns()) {
        if (!isLongValue(column.declared.type))
            continue;
        const QByteArray map = maps.mapOf(longValues.pagesOf(column.number));
        longValueColumns.push_back({column.number, maps.add(map), maps.add(map)});
    }
    checkMapsFit(maps.rows);

    const TableContent catalog = catalogContent(table.name);
    const TableLayout catalogLayout(catalog.columns);
    TableDefinition catalogDefinition;
    catalogDefinition.name = catalog.name;
    catalogDefinition.layout = &catalogLayout;
    catalogDefinition.system = true;
    catalogDefinition.rowCount = std::uint32_t(catalog.rows.size());
    catalogDefinition.usageMapPointer = pageRowPointer(UsageMapsPage, CatalogPages);
    catalogDefinition.freeSpaceMapPointer = pageRowPointer(UsageMapsPage, CatalogFreePages);

    TableDefinition tableDefinition;
    tableDefinition.name = table.name;
    tableDefinition.layout = &layout;
    tableDefinition.rowCount = std::uint32_t(table.rows.size() - std::size_t(fates.deleted.size()));
    tableDefinition.usageMapPointer = pageRowPointer(UsageMapsPage, TablePages);
    tableDefinition.freeSpaceMapPointer = pageRowPointer(UsageMapsPage, TableFreePages);
    if (indexed)
        tableDefinition.index =
            IndexDefinition{IndexName, keyColumn, pageRowPointer(UsageMapsPage, IndexPages), IndexRootPage};
    tableDefinition.longValueColumns = std::move(longValueColumns);

    std::vector<QByteArray> pages;
    pages.push_back(databaseHeaderPage());
    pages.push_back(dataPageWithRows({}, 0));
    pages.push_back(tableDefinitionPage(catalogDefinition));
    pages.push_back(dataPageWithRows(maps.rows, 0));
    pages.push_back(dataPageWithRows(encodeRows(catalog, catalogLayout), CatalogDefinitionPage));
    pages.push_back(tableDefinitionPage(tableDefinition));
    if (indexed)
        pages.push_back(emptyIndexLeaf());
    for (QByteArray &page : longValues.takePages())
        pages.push_back(std::move(page));
    for (QByteArray &page : dataPages)
        pages.push_back(std::move(page));
    for (QByteArray &page : maps.bitmapPages)
        pages.push_back(std::move(page));

    QByteArray file;
    file.reserve(qsizetype(pages.size()) * PageSize);
    for (const QByteArray &page : pages)
        file.append(page);
    return file;
}

}  // namespace jetwriter
