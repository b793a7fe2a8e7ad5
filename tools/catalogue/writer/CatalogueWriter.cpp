#include "CatalogueWriter.h"

#include "CatalogueDatabase.h"
#include "ObjectNames.h"
#include "SyntheticCatalogue.h"
#include "TsvReader.h"

#include <QSaveFile>

using namespace jetwriter;

namespace {

// 1-based row numbers from the options, checked against the table, as 0-based ones.
QSet<int> rowSet(const QList<int> &rows, std::size_t rowCount, const QString &optionName)
{
    QSet<int> set;
    for (int row : rows) {
        if (row < 1 || std::size_t(row) > rowCount)
            throw CatalogueError(QStringLiteral("%1 : la ligne de données %2 n'existe pas (la table en a %3)")
                                     .arg(optionName)
                                     .arg(row)
                                     .arg(rowCount));
        set.insert(row - 1);
    }
    return set;
}

RowFates rowFates(const WriterOptions &options, std::size_t rowCount)
{
    RowFates fates{rowSet(options.deletedRows, rowCount, QStringLiteral("lignes supprimées")),
                   rowSet(options.movedRows, rowCount, QStringLiteral("lignes déplacées"))};
    const QSet<int> both = QSet<int>(fates.deleted).intersect(fates.moved);
    if (!both.isEmpty())
        throw CatalogueError(QStringLiteral("la ligne de données %1 ne peut pas être à la fois supprimée et déplacée")
                                 .arg(*both.constBegin() + 1));
    return fates;
}

// Written beside the target and renamed over it only once complete: a failure leaves
// whatever was there before.
void saveFile(const QByteArray &bytes, const QString &outPath)
{
    QSaveFile file(outPath);
    if (!file.open(QIODevice::WriteOnly))
        throw CatalogueError(QStringLiteral("impossible d'écrire « %1 » : %2").arg(outPath, file.errorString()));
    file.write(bytes);
    if (!file.commit())
        throw CatalogueError(QStringLiteral("impossible d'enregistrer « %1 » : %2").arg(outPath, file.errorString()));
}

}  // namespace

void createCatalogueFromTsv(const QString &tsvText, const QString &outPath, const WriterOptions &options)
{
    const QString nameProblem = tableNameProblem(options.table);
    if (!nameProblem.isEmpty())
        throw CatalogueError(QStringLiteral("nom de table : %1").arg(nameProblem));
    const TableContent table = readTsvTable(tsvText, options.table);
    saveFile(buildCatalogueDatabase(table, rowFates(options, table.rows.size()), options.index), outPath);
}

QString syntheticCatalogueTsv(int count, quint32 seed)
{
    return syntheticProductsTsv(count, seed);
}

void synthesizeCatalogue(int count, const QString &outPath, quint32 seed)
{
    createCatalogueFromTsv(syntheticProductsTsv(count, seed), outPath);
}
