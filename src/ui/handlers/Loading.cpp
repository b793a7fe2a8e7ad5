// Start-up and shutdown of the window: the catalogue opened, the fields and counters reset,
// the reference list filled, the sheet listed.

#include "ErrorMode.h"
#include "Form2.h"
#include "ReferenceList.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

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
        const ProductReferences references = m_module1.ReadProductReferences(m_regional);
        ReferenceList::of(*Ref).show(references.count, references.reference);

        REMPLIR_Produit();

        // The look-up's index, built now rather than at the first keystroke (a catalogue
        // without it is valid: the look-up then finds nothing).
        const ResumeNext whenMissing;
        whenMissing.step([&] { m_module1.SetLookUpIndex(); });
    });
}

void Form2::fermer_Click()
{
    // Ends the program at once: no question, no close event, nothing saved.
    NoHandling([] { QCoreApplication::exit(EXIT_SUCCESS); });
}
