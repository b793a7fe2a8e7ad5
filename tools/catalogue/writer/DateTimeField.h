#pragma once
// A DATETIME field of the tab-separated text: the serial number itself (days since
// 1899-12-30, the time of day as the fraction, `.` as the decimal mark), or a calendar date
// `YYYY-MM-DD`, optionally followed by a time `HH:MM` or `HH:MM:SS` after a space or a `T`.

#include <QStringView>
#include <optional>

namespace jetwriter {

// The serial number of a calendar date-time, as the engine stores it: before 1899-12-30 the
// whole part counts back and the fraction still runs forward from midnight, so the two
// are added as magnitudes (1899-12-29 06:00 is −1.25). Nothing when the text is not such a
// date-time or names a day or time that does not exist.
std::optional<double> calendarSerial(QStringView text);

}  // namespace jetwriter
