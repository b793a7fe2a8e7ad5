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
        // A total that cannot be figured leaves the cell empty.
        return unlessItFails([&] { return FormatAmount(listedLineTotal(product.quantity, product.price, rs), rs); })
            .value_or(QString());
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

bool recalculationKeepsListedPrice(const MixedValue &price, const RegionalSettings &rs)
{
    // Below 10^13 a price cell shows at most fifteen significant digits, which the double
    // read back from it keeps.
    constexpr std::int64_t Digits13 = 10'000'000'000'000;
    switch (price.kind()) {
    case MixedValue::Kind::Int16:
    case MixedValue::Kind::Int32:
        return true;
    case MixedValue::Kind::Currency: {
        const std::int64_t t = price.as<Currency>().tenThousandths;
        constexpr std::int64_t Limit = Digits13 * 10'000;
        if (t > -Limit && t < Limit)
            return true;
        break;
    }
    case MixedValue::Kind::Double: {
        const double value = price.as<double>();
        if (value > -double(Digits13) && value < double(Digits13))
            return true;
        break;
    }
    case MixedValue::Kind::Null:
    case MixedValue::Kind::Empty:
    case MixedValue::Kind::Text:
        break;
    }
    const QString listed = FormatAmount(price, rs);
    return recalculatedLine(QString(), listed, QString(), rs).price == listed;
}

namespace {

// A listed line of the catalogue's usual kinds: a whole quantity q, a money or real price
// whose cell shows c cents. Its cells hold q and c/100, the reader gives their nearest
// doubles, and their product lies within two roundings of q·c/100. While |q·c| < 10^15 that
// amount has at most fifteen digits, which the product shows to the digit the user sees:
// the net amount is exactly q·c cents, and so is its total. Nothing for other lines.
std::optional<std::int64_t> wholeLineCents(const MixedValue &quantity, const MixedValue &price,
                                           const RegionalSettings &rs)
{
    if (quantity.kind() != MixedValue::Kind::Int16 && quantity.kind() != MixedValue::Kind::Int32)
        return std::nullopt;
    if (price.kind() != MixedValue::Kind::Currency && price.kind() != MixedValue::Kind::Double)
        return std::nullopt;
    const std::optional<Currency> shown = AmountReadBack(price, rs);
    if (!shown)
        return std::nullopt;
    constexpr __int128 Limit = 1'000'000'000'000'000;  // 10^15
    const __int128 cents =
        __int128(std::int64_t(MixedArithmetic::ToDouble(quantity, rs))) * (shown->tenThousandths / 100);
    if (cents >= Limit || cents <= -Limit)
        return std::nullopt;
    return std::int64_t(cents);
}

// The recalculation of the line's texts: no discount (its cell is empty).
double recalculatedFromTexts(const MixedValue &quantity, const MixedValue &price, const RegionalSettings &rs)
{
    return recalculatedLine(MixedArithmetic::JoinedText(quantity, rs), FormatAmount(price, rs), QString(), rs)
        .lineTotal;
}

}  // namespace

double recalculatedListedTotal(const MixedValue &quantity, const MixedValue &price, const RegionalSettings &rs)
{
    if (const std::optional<std::int64_t> cents = wholeLineCents(quantity, price, rs))
        return double(*cents) / 100;  // the nearest double to the amount, as the reader gives it
    return recalculatedFromTexts(quantity, price, rs);
}

std::optional<Currency> recalculatedListedAmount(const MixedValue &quantity, const MixedValue &price,
                                                 const RegionalSettings &rs)
{
    if (const std::optional<std::int64_t> cents = wholeLineCents(quantity, price, rs))
        return Currency::fromTenThousandths(*cents * 100);
    // Beyond Currency: the line adds nothing.
    return unlessItFails([&] { return ToCurrency(recalculatedFromTexts(quantity, price, rs)); });
}
