// Start-up and shutdown of the window: the catalogue opened, the fields and counters reset,
// the reference list filled, the sheet listed.

#include "ErrorMode.h"
#include "Form2.h"
#include "ReferenceList.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace {

// Every product reference, in the table's stored order, as the list shows it: read from a
// record set of its own over the table start-up opened. A null reference could never be
// looked up, so it is left out. An empty catalogue is a valid one and gives an empty list.
class TableReferences {
public:
    TableReferences(jet::Database &database, jet::Recordset &table, const RegionalSettings &rs)
        : m_rs(rs), m_table(database.OpenRecordset(ProductTableName))
    {
        if (table.RecordCount() == 0)
            return;
        table.MoveFirst();
        for (std::int32_t position = 0; !table.Eof(); ++position, table.MoveNext()) {
            if (table.Fields()[0].Value().isNull())
                m_nulls.push_back(position);
        }
        m_count = table.RecordCount() - std::int32_t(m_nulls.size());
    }

    int count() const { return m_count; }

    QString operator()(int row) const
    {
        m_table->setAbsolutePosition(positionOf(row));
        return MixedArithmetic::ToText(m_table->Fields()[0].Value(), m_rs);
    }

private:
    // The row-th record whose reference is not null: the first position up to which
    // row + 1 records have one.
    std::int32_t positionOf(int row) const
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

    RegionalSettings m_rs;
    std::shared_ptr<jet::Recordset> m_table;  // shared by the copies the list keeps
    std::vector<std::int32_t> m_nulls;        // positions, ascending
    int m_count = 0;
};

}  // namespace

void Form2::Form_Load()
{
    // A failure ends start-up: the window never shows, the report says why.
    NoHandling([&] {
        m_module1.OpenProductDatabase();
        m_module1.OpenProductTable();

        // Each assignment runs the control's change handler, if it has one, on the values
        // set so far: the order is the one users have always seen.
        const QString zero = PlainNumberText(std::int16_t{0}, m_regional);
        Ref->clear();
        Ref->setEditText(QString());
        desi->setText(QString());
        qte->setText(zero);
        prixvente->setText(zero);
        remise->setText(zero);
        total->setText(zero);
        nbr->setText(zero);
        totaux->setText(zero);

        // Shown in one go, each reference read when the list shows it. No item gets selected.
        const TableReferences references(m_module1.OpenedProductDatabase(), m_module1.ProductTable(), m_regional);
        ReferenceList::of(*Ref).show(references.count(), references);

        REMPLIR_Produit();

        // The look-up's index, built now rather than at the first keystroke (a catalogue
        // without it is valid: the look-up then finds nothing).
        const ResumeNext whenMissing;
        whenMissing.step([&] { m_module1.ProductTable().setIndex(LookUpIndex); });
    });
}

void Form2::fermer_Click()
{
    // Ends the program at once: no question, no close event, nothing saved.
    NoHandling([] { QCoreApplication::exit(EXIT_SUCCESS); });
}
