#include "EngineCatalogues.h"

#include "CatalogueWriter.h"

#include <QTemporaryDir>
#include <map>

namespace EngineBench {

QString catalogue(int products)
{
    static QTemporaryDir folder;
    static std::map<int, QString> written;
    QString &path = written[products];
    if (path.isEmpty()) {
        path = folder.filePath(QStringLiteral("produits-%1.mdb").arg(products));
        synthesizeCatalogue(products, path, products == 100'000 ? 7 : 11);
    }
    return path;
}

}  // namespace EngineBench
