#pragma once
// Showing the standard report (src/app/StandardReport.h): the message box, and the same
// text on the standard error stream.

#include "StandardReport.h"

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

// The message box of a report, built but not shown.
std::unique_ptr<QMessageBox> reportBox(const StandardReport &report);

// Where reports go. By default: the standard error stream, then the message box, except
// on a platform with no screen (offscreen), where a box nobody can see or answer would
// keep the program from ending. Tests install a sink that keeps the reports.
using ReportSink = std::function<void(const StandardReport &)>;
ReportSink setReportSink(ReportSink sink);  // returns the sink it replaces
void report(const RuntimeError &error);

// Asks the user over `window`, in French: true for "Oui" (the default), false for "Non".
bool askYesNo(QWidget *window, const QString &text);

// Tells the user something they must know, in the same way, without ending anything.
void warn(const QString &text);
// A failure that ends nothing: `context` (what could not be done and what stays as it was),
// then the standard report's words.
void warnOf(const RuntimeError &error, const QString &context = QStringLiteral("L'opération n'a pas abouti."));

// A failure left a handler that does not handle it: the report, then the program ends
// there and then. Nothing of the handler's runs after it: not the rest of a handler that
// ran this one from one of its steps, nor any other event, nor a second report.
[[noreturn]] void endProgramWithReport(const RuntimeError &error);
