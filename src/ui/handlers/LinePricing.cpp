// The line total, recomputed at every change of the discount (the rule:
// src/sheet/EntryLine.h). A change of the quantity or the price alone does not reprice the
// line.

#include "EntryLine.h"
#include "Form2.h"

#include <QComboBox>
#include <QLineEdit>

EntryFields Form2::entryFields() const
{
    return {Ref->currentText(), desi->text(), qte->text(), prixvente->text(), remise->text(), total->text()};
}

void Form2::remise_Change()
{
    // Continues past a failing statement, and neither of these can fail: the pricing rule
    // answers every text with a total or with none.
    if (const std::optional<QString> repriced = repricedTotal(entryFields(), m_regional))
        total->setText(*repriced);
}
