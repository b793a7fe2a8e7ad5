#pragma once
// The one scanner behind the locale-aware readers: a text in the user's regional settings
// into a DecimalNumber, without raising anything, so that callers for whom an unreadable
// text is ordinary (FormatAmount of a text) pay no exception for it.

#include "DecimalNumber.h"
#include "RegionalSettings.h"

#include <QStringView>

// False when the text is not a number as the locale-aware readers take it
// (NumberDecisions D1, D5). `number` is a freshly made one, filled as the text is scanned.
bool ScanLocaleNumber(QStringView text, const RegionalSettings &rs, DecimalNumber &number);
