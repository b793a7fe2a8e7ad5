// The sheet at start-up lists every product of the catalogue, sorted by designation and
// priced at its stored quantity and sale price, with the line count and the grand total;
// "Nouveau" clears it.
//
// The listing handles no failure: one leaves it (and start-up) with the lines listed so
// far. A product without quantity or price is a valid one: it is listed with an empty
// line total and adds nothing to the grand total.

#include "ErrorMode.h"
#include "Form2.h"
#include "LineGrid.h"
#include "Module1.h"

#include <QLabel>

namespace {

const QString ListingQuery = QStringLiteral(
    "select Produit.ref,Produit.desi,Produit.qté,Produit.prixvente from Produit order by produit.desi asc");

}  // namespace

void Form2::REMPLIR_Produit()
{
    using namespace MixedArithmetic;
    const RegionalSettings &rs = m_regional;
    const QString zero = PlainNumberText(std::int16_t{0}, rs);

    G->setRowCount(1);
    nbr->setText(zero);
    totaux->setText(zero);
    MixedValue lineTotal(std::int16_t{0});

    // A connection of its own, released when the listing ends.
    const std::shared_ptr<jet::Database> catalogue = jet::DBEngine::OpenDatabase(Module1::DatabaseFile());
    const std::unique_ptr<jet::Recordset> products = catalogue->OpenRecordset(ListingQuery);
    if (products->RecordCount() == 0)
        return;

    const jet::Fields &field = products->Fields();
    do {
        const MixedValue quantity = field[2].Value();
        const MixedValue price = field[3].Value();
        lineTotal = Multiply(price, quantity, rs);
        const QStringList cells{JoinedText(field[0].Value(), rs), JoinedText(field[1].Value(), rs),
                                JoinedText(quantity, rs),         FormatAmount(price, rs),
                                QString(),                        FormatAmount(lineTotal, rs)};
        G->AppendRow(cells.join(u'\t'));

        // The counters are carried in the captions themselves, read back at every line.
        nbr->setText(PlainNumberText(CheckedDouble(ReadLenient(nbr->text()) + 1), rs));
        if (!lineTotal.isNull()) {
            const MixedValue sum = Add(MixedValue(totaux->text()), lineTotal, rs);
            totaux->setText(FormatStandard(ToCurrency(sum, rs), rs));
        }
        products->MoveNext();
    } while (!products->Eof());
}

void Form2::Nouveau_Click()
{
    const ResumeNext onError;
    const QString zero = PlainNumberText(std::int16_t{0}, m_regional);
    onError.step([&] { G->setRowCount(1); });
    onError.step([&] { nbr->setText(zero); });
    onError.step([&] { totaux->setText(zero); });
}
