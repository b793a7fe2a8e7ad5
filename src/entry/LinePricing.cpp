// The line total, recomputed at every change of the discount: quantity × price, less the
// discount percentage of that amount, shown in the locale's standard money form.
// A change of the quantity or the price alone does not reprice the line.

#include "ErrorMode.h"
#include "Form2.h"

#include <QLineEdit>

void Form2::remise_Change()
{
    const RegionalSettings &rs = m_regional;
    const ResumeNext run;
    MixedValue gross(std::int16_t{0});
    MixedValue discount(std::int16_t{0});

    // A readable zero quantity or price leaves the total alone (this is what keeps the
    // program's own resets from touching it). An unreadable one fails the test and so
    // goes on: the total then shows zero.
    const bool priceable = run.enters([&] {
        const double quantity = ReadLocaleDouble(qte->text(), rs);
        const double price = ReadLocaleDouble(prixvente->text(), rs);
        return quantity != 0 && price != 0;
    });
    if (!priceable)
        return;

    run.step(
        [&] { gross = CheckedDouble(ReadLocaleDouble(qte->text(), rs) * ReadLocaleDouble(prixvente->text(), rs)); });
    run.step([&] {
        const MixedValue hundred(std::int16_t{100});
        discount =
            MixedArithmetic::Divide(MixedArithmetic::Multiply(gross, MixedValue(remise->text()), rs), hundred, rs);
    });
    run.step([&] {
        const MixedValue net = MixedArithmetic::Subtract(gross, discount, rs);
        total->setText(PlainNumberText(ToCurrency(net, rs), rs));
    });
    // Reformats what the previous step wrote, or whatever the field held if it failed.
    run.step([&] { total->setText(FormatStandard(ReadLocaleCurrency(total->text(), rs), rs)); });
}
