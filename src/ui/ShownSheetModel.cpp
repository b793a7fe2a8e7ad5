#include "ShownSheetModel.h"

#include "EventLoopEntries.h"

ShownSheetModel::ShownSheetModel(const QList<ColumnSpec> &columns, QObject *parent)
    : SheetModel(columns, parent),
      m_reads(this, QStringLiteral("Des cases de la fiche ne peuvent pas être affichées : elles restent vides. "
                                   "Les autres lignes s'affichent comme d'habitude."))
{}

QVariant ShownSheetModel::data(const QModelIndex &index, int role) const
{
    return m_reads([&] { return SheetModel::data(index, role); });
}

bool ShownSheetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    bool done = false;
    AtEventLoop([&] { done = SheetModel::setData(index, value, role); },
                [](const RuntimeError &failure) {
                    warnOf(failure,
                           QStringLiteral("La case n'a pas pu être modifiée : elle reste telle qu'elle était."));
                });
    return done;
}
