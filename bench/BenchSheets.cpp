#include "BenchSheets.h"

#include "CatalogueWriter.h"
#include "FicheTestSupport.h"
#include "LineGrid.h"

#include <QTemporaryDir>
#include <map>
#include <memory>

namespace FicheBench {

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

struct OpenWindow {
    int products = 0;
    std::unique_ptr<Form2> form;
};

OpenWindow &openWindow()
{
    static OpenWindow window;
    return window;
}

}  // namespace

QString catalogue(int products)
{
    static std::map<int, QString> written;
    QString &path = written[products];
    if (path.isEmpty()) {
        path = folder().filePath(QStringLiteral("produits-%1.mdb").arg(products));
        synthesizeCatalogue(products, path);
    }
    return path;
}

Form2 &listedWindow(int products)
{
    OpenWindow &window = openWindow();
    if (window.products != products || !window.form) {
        closeWindow();
        window.form = FicheTest::loadForm(catalogue(products));
        window.products = products;
    } else if (window.form->G->RowCount() != products + 1) {
        window.form->REMPLIR_Produit();
    }
    return *window.form;
}

void closeWindow()
{
    openWindow() = OpenWindow{};
    FicheTest::useCatalogue(QString());
}

}  // namespace FicheBench
