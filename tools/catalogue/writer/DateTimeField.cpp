#include "DateTimeField.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

namespace jetwriter {

std::optional<double> calendarSerial(QStringView text)
{
    static const QRegularExpression form(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(?:[ T](\\d{2}):(\\d{2})(?::(\\d{2}))?)?$"));
    const QRegularExpressionMatch match = form.match(text.toString());
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(), match.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    constexpr double SecondsPerDay = 86400;
    const auto days = double(QDate(1899, 12, 30).daysTo(date));
    const double fraction = QTime(0, 0).secsTo(time) / SecondsPerDay;
    return days < 0 ? days - fraction : days + fraction;
}

}  // namespace jetwriter
