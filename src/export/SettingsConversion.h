#pragma once
// Numbers written under one user's regional settings, as another's show them: a sheet saved
// under French settings (1 234,50) and opened under English ones must read 1,234.50, or
// every reader of the program would take the comma for a digit-group separator.

#include "RegionalSettings.h"

#include <QString>
#include <QStringView>

bool sameNumberSettings(const RegionalSettings &a, const RegionalSettings &b);

// `text` with the decimal separator, digit-group separator and minus sign of `from`
// replaced by those of `to`, when it is a number as the readers take it under `from`;
// unchanged otherwise. Its digits, blanks and exponent stay as they are: the blanks that
// FormatAmount lays between digit groups are read under any settings.
QString numberInSettings(QStringView text, const RegionalSettings &from, const RegionalSettings &to);
