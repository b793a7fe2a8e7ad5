#include "LineRules.h"

#include "ErrorMode.h"
#include "NumberRules.h"
#include "SheetColumns.h"

namespace {

// A cell's text as an operand. The arithmetic reads a text operand as ReadLocaleDouble
// does, every time it meets it: reading each cell once, up front, gives the very same
// results. A text that cannot be read stays a text, and fails wherever it is used.
MixedValue operandOf(const QString &text, const RegionalSettings &rs)
{
    if (const std::optional<double> value = TryReadLocaleDouble(text, rs))
        return *value;
    return text;
}

}  // namespace

MixedValue listedLineTotal(const MixedValue &quantity, const MixedValue &price, const RegionalSettings &rs)
{
    return MixedArithmetic::Multiply(price, quantity, rs);
}

QString listedCell(int column, const ProductValues &product, const RegionalSettings &rs)
{
    using MixedArithmetic::JoinedText;
    switch (column) {
    case SheetColumn::Reference:
        return JoinedText(product.reference, rs);
    case SheetColumn::Designation:
        return JoinedText(product.designation, rs);
    case SheetColumn::Quantity:
        return JoinedText(product.quantity, rs);
    case SheetColumn::Price:
        return FormatAmount(product.price, rs);
    case SheetColumn::LineTotal:
        try {
            return FormatAmount(listedLineTotal(product.quantity, product.price, rs), rs);
        } catch (const RuntimeError &) {
            return {};
        }
    default:
        return {};  // the discount: none
    }
}

RecalculatedLine recalculatedLine(const QString &quantity, const QString &price, const QString &discount,
                                  const RegionalSettings &rs)
{
    using namespace MixedArithmetic;
    const MixedValue q = operandOf(quantity, rs);
    const MixedValue p = operandOf(price, rs);
    const MixedValue d = operandOf(discount, rs);

    // A step that fails leaves its value at zero. A step with an unreadable operand is known
    // to fail and is not run: every catalogue line has an empty discount, and a failure
    // costs far more than the step itself.
    const ResumeNext run;
    MixedValue discountAmount(std::int16_t{0});
    MixedValue net(std::int16_t{0});
    RecalculatedLine line;
    const bool priced = !q.isText() && !p.isText();
    if (priced && !d.isText()) {
        run.step([&] {
            const MixedValue hundred(std::int16_t{100});
            discountAmount = ToCurrency(Divide(Multiply(Multiply(d, q, rs), p, rs), hundred, rs), rs);
        });
    }
    if (priced)
        run.step([&] { net = Subtract(ToCurrency(Multiply(q, p, rs), rs), discountAmount, rs); });
    // Rounded to the cent exactly as the standard money form shows it.
    run.step([&] { line.lineTotal = ReadLocaleDouble(FormatStandard(ToCurrency(net, rs), rs), rs); });
    line.price = FormatAmount(p, rs);
    line.lineTotalText = FormatAmount(line.lineTotal, rs);
    return line;
}

double recalculatedListedTotal(const MixedValue &quantity, const MixedValue &price, const RegionalSettings &rs)
{
    const bool wholeQuantity = quantity.kind() == MixedValue::Kind::Int16 || quantity.kind() == MixedValue::Kind::Int32;
    const bool amountPrice = price.kind() == MixedValue::Kind::Currency || price.kind() == MixedValue::Kind::Double;
    // The price cell reads back as its cents; below 2^53 of them, their double divided by a
    // hundred is the nearest double to the cell's decimal text, as the reader gives it.
    constexpr std::int64_t ExactCents = std::int64_t{1} << 53;
    const std::optional<Currency> shownPrice = amountPrice ? AmountReadBack(price, rs) : std::nullopt;
    if (!wholeQuantity || !shownPrice || shownPrice->tenThousandths / 100 >= ExactCents ||
        shownPrice->tenThousandths / 100 <= -ExactCents)
        return recalculatedLine(MixedArithmetic::JoinedText(quantity, rs), FormatAmount(price, rs), QString(), rs)
            .lineTotal;
    const double shown = double(shownPrice->tenThousandths / 100) / 100;
    const double gross = MixedArithmetic::ToDouble(quantity, rs) * shown;  // finite: |q| < 2^31
    // No discount (its cell is empty): the net amount is the gross one, in Currency,
    // rounded to the cent as the standard form shows it; beyond Currency, zero.
    try {
        return StandardReadBack(ToCurrency(gross));
    } catch (const RuntimeError &) {
        return 0;
    }
}
