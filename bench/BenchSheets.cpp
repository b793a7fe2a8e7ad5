#include "BenchSheets.h"

#include "CatalogueWriter.h"
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
    FicheTest::Controls controls;
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

const FicheTest::Controls &listedWindow(int products)
{
    OpenWindow &window = openWindow();
    if (window.products != products || !window.form) {
        closeWindow();
        window.form = FicheTest::loadForm(catalogue(products));
        window.controls = FicheTest::Controls(*window.form);
        window.products = products;
    } else if (window.controls.G->RowCount() != products + 1) {
        window.form->REMPLIR_Produit();
    }
    return window.controls;
}

void closeWindow()
{
    openWindow() = OpenWindow{};
}

}  // namespace FicheBench
