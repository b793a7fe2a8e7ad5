#include "LineRules.h"

#include "ErrorMode.h"
#include "NumberRules.h"

#include <algorithm>
#include <initializer_list>

namespace {

// The cells joined by tabs, made at their exact size: the text the sheet keeps for the line.
QString tabSeparated(std::initializer_list<QStringView> cells)
{
    qsizetype size = qsizetype(cells.size()) - 1;
    for (const QStringView cell : cells)
        size += cell.size();
    QString line(size, Qt::Uninitialized);
    QChar *next = line.data();
    bool first = true;
    for (const QStringView cell : cells) {
        if (!first)
            *next++ = u'\t';
        first = false;
        next = std::copy(cell.begin(), cell.end(), next);
    }
    return line;
}

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

ListedLine listedLine(const ProductValues &product, const RegionalSettings &rs)
{
    using namespace MixedArithmetic;
    ListedLine line;
    line.lineTotal = Multiply(product.price, product.quantity, rs);
    line.text = tabSeparated({JoinedText(product.reference, rs), JoinedText(product.designation, rs),
                              JoinedText(product.quantity, rs), FormatAmount(product.price, rs), QString(),
                              FormatAmount(line.lineTotal, rs)});
    return line;
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
