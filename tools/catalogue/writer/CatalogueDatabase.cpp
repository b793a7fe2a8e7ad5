#include "CatalogueDatabase.h"

#include "CatalogueError.h"
#include "DatabaseHeader.h"
#include "LittleEndian.h"
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

// Rows on the usage-maps page, in this order.
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
    catalog.columns = {{QStringLiteral("Id"), ColumnType::Long},
                       {QStringLiteral("ParentId"), ColumnType::Long},
                       {QStringLiteral("Name"), ColumnType::Text, 255},
                       {QStringLiteral("Type"), ColumnType::Integer},
                       {QStringLiteral("Flags"), ColumnType::Long},
                       {QStringLiteral("LvProp"), ColumnType::LongBinary}};
    catalog.rows = {
        {V(std::int64_t(CatalogDefinitionPage)), V(TablesContainer), V(catalog.name), V(LocalTable), V(SystemObject), V()},
        {V(std::int64_t(TableDefinitionPage)), V(TablesContainer), V(userTableName), V(LocalTable), V(std::int64_t(0)), V()},
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

std::vector<QByteArray> encodeRows(const TableContent &table, const TableLayout &layout)
{
    std::vector<QByteArray> rows;
    rows.reserve(table.rows.size());
    for (const Row &row : table.rows)
        rows.push_back(encodeRow(layout, row));
    return rows;
}

}  // namespace

QByteArray buildCatalogueDatabase(const TableContent &table, const RowFates &fates, bool withIndex)
{
    const TableLayout layout(table.columns);
    checkRowSize(table, layout);
    const int keyColumn = withIndex ? indexKeyColumn(table) : -1;
    const bool indexed = keyColumn >= 0;

    const std::uint32_t firstDataPage = indexed ? IndexRootPage + 1 : IndexRootPage;
    std::vector<QByteArray> dataPages = layOutDataPages(encodeRows(table, layout), fates, TableDefinitionPage, firstDataPage);
    std::vector<std::uint32_t> dataPageNumbers;
    for (std::uint32_t i = 0; i < dataPages.size(); ++i)
        dataPageNumbers.push_back(firstDataPage + i);
    const UsageMap tableMap = makeUsageMap(dataPageNumbers, firstDataPage + std::uint32_t(dataPages.size()));
    const UsageMap catalogMap = makeUsageMap({CatalogDataPage}, 0);

    std::vector<QByteArray> mapRows = {catalogMap.row, catalogMap.row, tableMap.row, tableMap.row};
    if (indexed)
        mapRows.push_back(makeUsageMap({IndexRootPage}, 0).row);

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
        tableDefinition.index = IndexDefinition{IndexName, keyColumn, pageRowPointer(UsageMapsPage, IndexPages), IndexRootPage};

    std::vector<QByteArray> pages;
    pages.push_back(databaseHeaderPage());
    pages.push_back(dataPageWithRows({}, 0));
    pages.push_back(tableDefinitionPage(catalogDefinition));
    pages.push_back(dataPageWithRows(mapRows, 0));
    pages.push_back(dataPageWithRows(encodeRows(catalog, catalogLayout), CatalogDefinitionPage));
    pages.push_back(tableDefinitionPage(tableDefinition));
    if (indexed)
        pages.push_back(emptyIndexLeaf());
    for (QByteArray &page : dataPages)
        pages.push_back(std::move(page));
    for (const QByteArray &page : tableMap.bitmapPages)
        pages.push_back(page);

    QByteArray file;
    file.reserve(qsizetype(pages.size()) * PageSize);
    for (const QByteArray &page : pages)
        file.append(page);
    return file;
}

}  // namespace jetwriter
