#include "EntryLine.h"

#include "ErrorMode.h"
#include "NumberRules.h"

#include <QStringList>

std::optional<QString> repricedTotal(const EntryFields &fields, const RegionalSettings &rs)
{
    using namespace MixedArithmetic;
    const ResumeNext run;
    MixedValue gross(std::int16_t{0});
    MixedValue discount(std::int16_t{0});

    // Both are read, whatever the first gives; a failure to read enters the block.
    const bool priceable = run.enters([&] {
        const double quantity = ReadLocaleDouble(fields.quantity, rs);
        const double price = ReadLocaleDouble(fields.price, rs);
        return quantity != 0 && price != 0;
    });
    if (!priceable)
        return std::nullopt;

    run.step(
        [&] { gross = CheckedDouble(ReadLocaleDouble(fields.quantity, rs) * ReadLocaleDouble(fields.price, rs)); });
    run.step([&] {
        const MixedValue hundred(std::int16_t{100});
        discount = Divide(Multiply(gross, MixedValue(fields.discount), rs), hundred, rs);
    });
    // First the plain amount, then that text read back and shown in the standard form; if
    // the first write fails, the second reformats whatever the field held.
    std::optional<QString> total;
    run.step([&] { total = PlainNumberText(ToCurrency(Subtract(gross, discount, rs), rs), rs); });
    run.step([&] { total = FormatStandard(ReadLocaleCurrency(total.value_or(fields.total), rs), rs); });
    return total;
}

bool readyToAdd(const EntryFields &fields, const RegionalSettings &rs)
{
    const ResumeNext run;
    // All five are evaluated before deciding; a failure to read enters the block, which
    // stops the addition as a missing value does.
    const bool incomplete = run.enters([&] {
        const bool noReference = fields.reference.isEmpty();
        const bool noDesignation = fields.designation.isEmpty();
        const bool noQuantity = ReadLocaleDouble(fields.quantity, rs) == 0;
        const bool noPrice = ReadLocaleDouble(fields.price, rs) == 0;
        const bool noTotal = ReadLocaleDouble(fields.total, rs) == 0;
        return noReference || noDesignation || noQuantity || noPrice || noTotal;
    });
    return !incomplete;
}

QString addedLineText(const EntryFields &fields, const RegionalSettings &rs)
{
    QStringList cells{fields.reference, fields.designation,
                      fields.quantity,  FormatAmount(fields.price, rs),
                      fields.discount,  FormatAmount(fields.total, rs)};
    // The tabs join the cells: one inside a field (a catalogue's designation may hold one,
    // which the field shows as blank space) would start the next cell and push the total
    // out of the line. It goes in as a blank.
    for (QString &cell : cells)
        cell.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return cells.join(QLatin1Char('\t'));
}
