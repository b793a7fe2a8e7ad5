// Looking a product up by its reference: every change of `Ref` starts a fresh line and,
// when the text is a known reference, shows the product's designation and price.

#include "CatalogueWatch.h"
#include "ErrorMode.h"
#include "Form2.h"
#include "Module1.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

jet::Recordset &productTable()
{
    if (!Module1::ProductTable)
        throw RuntimeError::objectNotSet();
    return *Module1::ProductTable;
}

// The look-up itself, shared by typing and by a choice in the list: both contain their
// failures the same way, so a product deleted from the catalogue since start-up, or one
// without designation, never ends the program and loses the sheet.
void lookUp(Form2 &form)
{
    const RegionalSettings &rs = form.regional();
    const QString zero = PlainNumberText(std::int16_t{0}, rs);
    const ResumeNext run;

    run.step([&] { form.desi->setText(QString()); });
    run.step([&] { form.qte->setText(zero); });
    run.step([&] { form.prixvente->setText(zero); });
    run.step([&] { form.remise->setText(zero); });  // prices the (empty) line again
    run.step([&] { form.total->setText(zero); });

    if (form.Ref->currentText().isEmpty())
        return;

    // The catalogue as the back office left it: a rewritten file is read again first.
    CatalogueWatch::refreshProductTable();

    run.step([&] { productTable().setIndex(QStringLiteral("XREF")); });
    // Looked up exactly as typed: no trimming, no case change; the index decides.
    run.step([&] { productTable().Seek(QStringLiteral("="), MixedValue(form.Ref->currentText())); });
    // With no match there is no current record: both reads fail and the fields stay clear.
    run.step([&] {
        const MixedValue designation = productTable().Fields()[1].Value();
        form.desi->setText(MixedArithmetic::ToText(designation, rs).toUpper());
    });
    run.step([&] { form.prixvente->setText(FormatAmount(productTable().Fields()[3].Value(), rs)); });
}

}  // namespace

void Form2::Ref_Change()
{
    lookUp(*this);
}

void Form2::Ref_Click()
{
    lookUp(*this);
}

void Form2::Ref_KeyPress(std::int16_t &KeyAscii)
{
    if (KeyAscii == 13)
        qte->setFocus(Qt::OtherFocusReason);
}
