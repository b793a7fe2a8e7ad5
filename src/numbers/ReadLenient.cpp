// ReadLenient: the locale-blind reading of the line count. It never fails; it reads no
// exponent and no prefix (NumberDecisions D6, D7).

#include "NumberRules.h"

#include "DecimalNumber.h"

#include <limits>

namespace {

bool isRemovedBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

}  // namespace

double ReadLenient(const QString &text)
{
    DecimalNumber number;
    bool signAllowed = true;
    bool inFraction = false;
    for (const QChar c : text) {
        if (isRemovedBlank(c))
            continue;
        if (signAllowed && (c == u'-' || c == u'+')) {
            number.negative = c == u'-';
        } else if (isDecimalDigit(c)) {
            const char digit = static_cast<char>(c.unicode());
            inFraction ? number.addFractionDigit(digit) : number.addWholeDigit(digit);
        } else if (c == u'.' && !inFraction) {
            inFraction = true;
        } else {
            break;
        }
        signAllowed = false;
    }
    double value = 0;
    if (!number.toDouble(value))
        return number.negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    return value;
}
