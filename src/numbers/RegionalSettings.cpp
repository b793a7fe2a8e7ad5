#include "RegionalSettings.h"

// Taken as the locale states them, the C locale included (NumberDecisions D12).
RegionalSettings RegionalSettings::fromLocale(const QLocale &locale)
{
    return {locale.decimalPoint(), locale.groupSeparator(), locale.negativeSign()};
}
