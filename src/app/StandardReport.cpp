#include "StandardReport.h"

StandardReport standardReportOf(const RuntimeError &error)
{
    return {ApplicationName,
            QStringLiteral("Erreur d'exécution '%1' :\n%2").arg(error.number()).arg(error.description())};
}
