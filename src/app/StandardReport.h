#pragma once
// What the user is told when a failure ends the program: a report titled with the
// program's name, "Erreur d'exécution 'N' :" then the French description. Start-up failures
// and failures that leave a handler both end this way (src/ui/ReportBox.h shows it).

#include "RuntimeError.h"

#include <QString>

inline const QString ApplicationName = QStringLiteral("Fiche Produit");

struct StandardReport {
    QString title;
    QString text;
    // An error ends the program; a warning is told once, and the program works on.
    enum class Kind { Error, Warning } kind = Kind::Error;
};

StandardReport standardReportOf(const RuntimeError &error);
