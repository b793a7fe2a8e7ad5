// ReadLocaleDouble, ReadLocaleCurrency and TryReadLocaleDouble: the locale-aware readers.
// What they take is listed in NumberDecisions.h (D1, D5, D7, D8).

#include "NumberRules.h"

#include "LocaleScanner.h"
#include "RuntimeError.h"

double ReadLocaleDouble(const QString &text, const RegionalSettings &rs)
{
    DecimalNumber number;
    if (!ScanLocaleNumber(text, rs, number))
        throw RuntimeError::typeMismatch();
    double value = 0;
    if (!number.toDouble(value))
        throw RuntimeError::overflow();
    return value;
}

std::optional<double> TryReadLocaleDouble(const QString &text, const RegionalSettings &rs)
{
    DecimalNumber number;
    double value = 0;
    if (!ScanLocaleNumber(text, rs, number) || !number.toDouble(value))
        return std::nullopt;
    return value;
}

// Straight from the decimal digits, never through a double, so that every text with four
// decimals or fewer gives exactly the amount it shows.
Currency ReadLocaleCurrency(const QString &text, const RegionalSettings &rs)
{
    DecimalNumber number;
    if (!ScanLocaleNumber(text, rs, number))
        throw RuntimeError::typeMismatch();
    return number.toCurrency();
}
