#pragma once
// What the user is told when a failure ends the program: a message box titled with the
// program's name, "Erreur d'exécution 'N' :" then the French description, and the same
// text on the standard error stream. Start-up failures and failures that leave a handler
// both end this way.

#include "RuntimeError.h"

#include <QString>
#include <functional>
#include <memory>

class QMessageBox;

inline const QString ApplicationName = QStringLiteral("Fiche Produit");

struct StandardReport {
    QString title;
    QString text;
};

StandardReport standardReportOf(const RuntimeError &error);

// The message box of a report, built but not shown.
std::unique_ptr<QMessageBox> reportBox(const StandardReport &report);

// Where reports go. By default: the standard error stream, then the message box, except
// on a platform with no screen (offscreen), where a box nobody can see or answer would
// keep the program from ending. Tests install a sink that keeps the reports.
using ReportSink = std::function<void(const StandardReport &)>;
ReportSink setReportSink(ReportSink sink);  // returns the sink it replaces
void report(const RuntimeError &error);

// A failure left a handler that does not handle it: the report, then the program ends
// (its event loop stops, whichever loop is running).
void endProgramWithReport(const RuntimeError &error);
