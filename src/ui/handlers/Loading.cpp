// Start-up and shutdown of the window: the catalogue opened, the fields and counters reset,
// the reference list filled, the sheet listed.

#include "ErrorMode.h"
#include "Form2.h"
#include "ReferenceList.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

namespace {

// Every product reference, in the table's stored order. An empty catalogue is a valid one
// and gives an empty list; a null reference could never be looked up, so it is left out.
QStringList productReferences(jet::Recordset &table, const RegionalSettings &rs)
{
    QStringList references;
    if (table.RecordCount() == 0)
        return references;
    references.reserve(table.RecordCount());
    table.MoveFirst();
    while (!table.Eof()) {
        const MixedValue reference = table.Fields()[0].Value();
        if (!reference.isNull())
            references << MixedArithmetic::ToText(reference, rs);
        table.MoveNext();
    }
    return references;
}

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

        // Added in one go: a catalogue of 100 000 products would otherwise update the list
        // 100 000 times. No item gets selected.
        ReferenceList::of(*Ref).append(productReferences(m_module1.ProductTable(), m_regional));

        REMPLIR_Produit();
    });
}

void Form2::fermer_Click()
{
    // Ends the program at once: no question, no close event, nothing saved.
    NoHandling([] { QCoreApplication::exit(EXIT_SUCCESS); });
}
