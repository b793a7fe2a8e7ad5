#pragma once
// The engine's record sets as the window reads them, by the fields' named places
// (ProductField): the listing's products for the sheet, the table's references for Ref's
// list. Each reads a record when it is shown, not before: a catalogue of 1 000 000 products
// keeps no text of its own for them. Module1's own: the engine stays behind it.

#include "Jet.h"
#include "Module1.h"
#include "ProductList.h"

#include <memory>
#include <vector>

// The listing's record set as the sheet reads its products: by their place in the listing's
// order. Each read places the record set.
class ListedProducts : public ProductList {
public:
    explicit ListedProducts(std::unique_ptr<jet::Recordset> listing) : m_listing(std::move(listing)) {}

    std::uint32_t count() const override { return std::uint32_t(m_listing->RecordCount()); }
    ProductValues product(std::uint32_t index) const override;
    std::pair<MixedValue, MixedValue> quantityAndPrice(std::uint32_t index) const override;

private:
    MixedValue field(ProductField field) const;

    std::unique_ptr<jet::Recordset> m_listing;
};

// Every reference of a table, in its stored order, as Ref's list shows it: read from a record
// set of its own over the table, so that the look-up may move ProductTable meanwhile. Null
// references are left out.
class TableReferences {
public:
    // Walks `table` from its first record past its last for the null references.
    TableReferences(jet::Database &database, jet::Recordset &table, const QString &tableName,
                    const RegionalSettings &rs);

    int count() const { return m_count; }
    QString operator()(int row) const;

private:
    // The row-th record whose reference is not null.
    std::int32_t positionOf(int row) const;

    RegionalSettings m_rs;
    std::shared_ptr<jet::Recordset> m_table;  // shared by the copies the list keeps
    std::vector<std::int32_t> m_nulls;        // positions, ascending
    int m_count = 0;
};
