// Enter in the total field commits the line: it is appended to the sheet, the entry
// fields start afresh, and both counters are recounted over the whole sheet (so that
// line totals the user edited in the grid are counted as they now stand).

#include "ErrorMode.h"
#include "Form2.h"
#include "LineGrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void Form2::total_KeyPress(std::int16_t &KeyAscii)
{
    if (KeyAscii != 13)
        return;

    const RegionalSettings &rs = m_regional;
    const ResumeNext run;

    // All five are evaluated before deciding; an unreadable number stops the addition too.
    const bool incomplete = run.enters([&] {
        const bool noReference = Ref->currentText().isEmpty();
        const bool noDesignation = desi->text().isEmpty();
        const bool noQuantity = ReadLocaleDouble(qte->text(), rs) == 0;
        const bool noPrice = ReadLocaleDouble(prixvente->text(), rs) == 0;
        const bool noTotal = ReadLocaleDouble(total->text(), rs) == 0;
        return noReference || noDesignation || noQuantity || noPrice || noTotal;
    });
    if (incomplete)
        return;

    run.step([&] {
        const QStringList cells{Ref->currentText(), desi->text(),
                                qte->text(),        FormatAmount(prixvente->text(), rs),
                                remise->text(),     FormatAmount(total->text(), rs)};
        G->AppendRow(cells.join(QLatin1Char('\t')));
    });

    const QString zero = PlainNumberText(std::int16_t{0}, rs);
    run.step([&] { Ref->setEditText(QString()); });  // runs the look-up, which clears the line
    run.step([&] { desi->setText(QString()); });
    run.step([&] { qte->setText(zero); });
    run.step([&] { remise->setText(zero); });
    run.step([&] { total->setText(zero); });
    run.step([&] { prixvente->setText(zero); });

    std::int32_t rows = 1;
    run.step([&] { rows = ToInt32(MixedValue(G->RowCount()), rs); });
    MixedValue sum(std::int16_t{0});
    for (std::int32_t row = 1; row < rows; ++row) {
        // A line total that is not a number adds nothing.
        run.step([&] { sum = MixedArithmetic::Add(sum, ReadLocaleCurrency(G->CellText(row, 5), rs), rs); });
    }
    run.step([&] { nbr->setText(PlainNumberText(CheckedAdd(rows, -1), rs)); });
    run.step([&] { totaux->setText(FormatStandard(ToCurrency(sum, rs), rs)); });
}
