// Looking a product up by its reference: every change of `Ref` starts a fresh line and,
// when the text is a known reference, shows the product's designation and price.

#include "ErrorMode.h"
#include "Form2.h"
#include "KeyCodes.h"

#include <QComboBox>
#include <QLineEdit>

// The look-up itself, shared by typing and by a choice in the list: both contain their
// failures the same way, so a product deleted from the catalogue since start-up, or one
// without designation, never ends the program and loses the sheet.
void Form2::lookUp()
{
    const QString zero = PlainNumberText(std::int16_t{0}, m_regional);
    const ResumeNext run;

    // Clearing the line cannot fail: the pricing that setting remise runs meets its own.
    desi->setText(QString());
    qte->setText(zero);
    prixvente->setText(zero);
    remise->setText(zero);  // prices the (empty) line again
    total->setText(zero);

    if (Ref->currentText().isEmpty())
        return;

    // The catalogue as the back office left it: a rewritten file is read again first.
    m_module1.refreshProductTable();

    run.step([&] { m_module1.SetLookUpIndex(); });
    // Looked up exactly as typed: no trimming, no case change; the index decides.
    run.step([&] { m_module1.SeekProduct(Ref->currentText()); });
    // With no match there is no current record: both reads fail and the fields stay clear.
    run.step([&] {
        const MixedValue designation = m_module1.ProductTableField(ProductField::Designation);
        desi->setText(MixedArithmetic::ToText(designation, m_regional).toUpper());
    });
    run.step([&] { prixvente->setText(FormatAmount(m_module1.ProductTableField(ProductField::Price), m_regional)); });
}

void Form2::Ref_Change()
{
    lookUp();
}

void Form2::Ref_Click()
{
    lookUp();
}

void Form2::Ref_KeyPress(std::int16_t &KeyAscii)
{
    NoHandling([&] {
        if (KeyAscii == EnterKeyCode)
            qte->setFocus(Qt::OtherFocusReason);
    });
}
