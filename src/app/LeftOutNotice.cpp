#include "LeftOutNotice.h"

#include <QStringList>
#include <algorithm>

namespace {

// The first rows named; the others are only counted.
constexpr std::size_t NamedRows = 5;

QString place(const jet::LeftOutRow &row)
{
    if (row.slot < 0)
        return QStringLiteral("une page entière à partir de la ligne %1").arg(row.position);
    return QStringLiteral("ligne %1").arg(row.position);
}

}  // namespace

QString leftOutRowsNotice(const std::vector<jet::LeftOutRow> &rows)
{
    const auto wholePages = std::count_if(rows.begin(), rows.end(), [](const auto &row) { return row.slot < 0; });
    // A page left out whole held at least one product, how many is not known.
    QString what;
    if (rows.size() == 1 && wholePages == 0)
        what = QStringLiteral("Un produit du catalogue n'a pas pu être lu : il n'est pas listé");
    else if (wholePages == 0)
        what =
            QStringLiteral("%1 produits du catalogue n'ont pas pu être lus : ils ne sont pas listés").arg(rows.size());
    else
        what = QStringLiteral("Au moins %1 produits du catalogue n'ont pas pu être lus : ils ne sont pas listés")
                   .arg(std::max<std::size_t>(rows.size(), 2));
    QStringList places;
    for (std::size_t i = 0; i < std::min(rows.size(), NamedRows); ++i)
        places << place(rows[i]);
    if (rows.size() > NamedRows)
        places << QStringLiteral("…");
    return QStringLiteral("%1, et la recherche par référence ne les trouve pas (%2).\n\n"
                          "Les autres produits sont listés comme d'habitude. Le fichier du catalogue est "
                          "endommagé : faites-le réparer par le logiciel qui le tient.")
        .arg(what, places.join(QStringLiteral(", ")));
}
