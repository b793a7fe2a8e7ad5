#include "LeftOutRows.h"

#include "Jet.h"

namespace catalogue {

QString leftOutRowText(const jet::LeftOutRow &row)
{
    if (row.slot < 0)
        return QStringLiteral("page %1 entière (ses lignes à partir de la ligne %2)").arg(row.page).arg(row.position);
    return QStringLiteral("ligne %1 (page %2, emplacement %3)").arg(row.position).arg(row.page).arg(row.slot);
}

int reportLeftOutRows(const jet::Recordset &records, const QString &command, QTextStream &warnings)
{
    const std::vector<jet::LeftOutRow> &leftOut = records.LeftOutRows();
    if (leftOut.empty())
        return 0;
    warnings << QStringLiteral(
                    "fiche-catalogue %1 : %2 ligne(s) illisible(s) laissée(s) de côté, les autres sont écrites :")
                    .arg(command)
                    .arg(leftOut.size())
             << '\n';
    for (const jet::LeftOutRow &row : leftOut)
        warnings << QStringLiteral("  - %1").arg(leftOutRowText(row)) << '\n';
    return RowsLeftOutStatus;
}

}  // namespace catalogue
