#include "SettingsConversion.h"

#include "LocaleScanner.h"
#include "NumberDecisions.h"

namespace {

// Whether the separator, which the settings may leave empty, stands at the front of `text`.
bool startsWith(QStringView text, const QString &separator)
{
    return !separator.isEmpty() && text.startsWith(separator);
}

}  // namespace

bool sameNumberSettings(const RegionalSettings &a, const RegionalSettings &b)
{
    return a.decimalSeparator == b.decimalSeparator && a.groupSeparator == b.groupSeparator &&
           a.minusSign == b.minusSign;
}

QString numberInSettings(QStringView text, const RegionalSettings &from, const RegionalSettings &to)
{
    DecimalNumber number;
    if (!ScanLocaleNumber(text, from, number))
        return text.toString();
    // Each separator of `from` can stand only where the number has one: a plain scan finds
    // them. A blank between groups, and the hyphen-minus, read the same under any settings.
    const bool groupToMap =
        !(from.groupSeparator.size() == 1 && NumberDecisions::isBlankGroupSeparator(from.groupSeparator.front()));
    const bool minusToMap = from.minusSign != QStringLiteral("-");
    QString converted;
    converted.reserve(text.size() + 4);
    for (qsizetype i = 0; i < text.size();) {
        const QStringView rest = text.sliced(i);
        if (startsWith(rest, from.decimalSeparator)) {
            converted += to.decimalSeparator;
            i += from.decimalSeparator.size();
        } else if (groupToMap && startsWith(rest, from.groupSeparator)) {
            converted += to.groupSeparator;
            i += from.groupSeparator.size();
        } else if (minusToMap && startsWith(rest, from.minusSign)) {
            converted += to.minusSign;
            i += from.minusSign.size();
        } else {
            converted += text[i];
            ++i;
        }
    }
    return converted;
}
