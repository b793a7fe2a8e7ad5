#include "CatalogueRecords.h"

#include "NumberRules.h"

#include <algorithm>

namespace {

jet::Field fieldOf(const jet::Recordset &records, ProductField field)
{
    return records.Fields()[static_cast<std::int16_t>(field)];
}

}  // namespace

MixedValue ListedProducts::field(ProductField field) const
{
    return fieldOf(*m_listing, field).Value();
}

ProductValues ListedProducts::product(std::uint32_t index) const
{
    m_listing->setAbsolutePosition(std::int32_t(index));
    return {field(ProductField::Reference), field(ProductField::Designation), field(ProductField::Quantity),
            field(ProductField::Price)};
}

std::pair<MixedValue, MixedValue> ListedProducts::quantityAndPrice(std::uint32_t index) const
{
    m_listing->setAbsolutePosition(std::int32_t(index));
    return {field(ProductField::Quantity), field(ProductField::Price)};
}

TableReferences::TableReferences(jet::Database &database, jet::Recordset &table, const QString &tableName,
                                 const RegionalSettings &rs)
    : m_rs(rs), m_table(database.OpenRecordset(tableName))
{
    if (table.RecordCount() == 0)
        return;
    table.MoveFirst();
    for (std::int32_t position = 0; !table.Eof(); ++position, table.MoveNext()) {
        if (fieldOf(table, ProductField::Reference).IsNull())
            m_nulls.push_back(position);
    }
    m_count = table.RecordCount() - std::int32_t(m_nulls.size());
}

QString TableReferences::operator()(int row) const
{
    m_table->setAbsolutePosition(positionOf(row));
    return MixedArithmetic::ToText(fieldOf(*m_table, ProductField::Reference).Value(), m_rs);
}

// The first position up to which row + 1 records have a reference.
std::int32_t TableReferences::positionOf(int row) const
{
    std::int32_t low = row;
    std::int32_t high = row + std::int32_t(m_nulls.size());
    while (low < high) {
        const std::int32_t middle = low + (high - low) / 2;
        const auto nullsUpTo = std::upper_bound(m_nulls.begin(), m_nulls.end(), middle) - m_nulls.begin();
        if (middle + 1 - nullsUpTo >= row + 1)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}
