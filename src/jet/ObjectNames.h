#pragma once
// Names of tables, columns and indexes compare as the engine compares them: without regard
// to case, with regard to accents ("qte" is not "qté"), whatever the Unicode form the name
// was typed in.

#include <QString>

namespace jet {

inline bool sameObjectName(const QString &a, const QString &b)
{
    return a.normalized(QString::NormalizationForm_C)
               .compare(b.normalized(QString::NormalizationForm_C), Qt::CaseInsensitive) == 0;
}

}  // namespace jet
