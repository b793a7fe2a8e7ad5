// Each step that the engine may refuse is tried on its own, as the program and the tool
// go on to their next step.

#include "CatalogueWorkout.h"

#include "Jet.h"
#include "RuntimeError.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace {

// Reads every field of every record, as the listing and the catalogue tool's dump do.
void walk(jet::Recordset &records)
{
    for (std::int16_t i = 0; i < records.Fields().Count(); ++i) {
        records.Fields()[i].Name();
        records.Fields()[i].Type();
        records.Fields()[i].Size();
    }
    if (records.RecordCount() == 0)
        return;
    records.MoveFirst();
    while (!records.Eof()) {
        for (std::int16_t i = 0; i < records.Fields().Count(); ++i)
            records.Fields()[i].Value();
        records.MoveNext();
    }
}

template <class Step>
void tryStep(Step step)
{
    try {
        step();
    } catch (const RuntimeError &) {
        // The engine's refusal of a damaged file: what it is allowed to do.
    }
}

void lookUpReferences(jet::Recordset &products)
{
    products.setIndex(QStringLiteral("XREF"));
    // Texts as typed into `Ref`, then the first references of the table as they are stored.
    std::vector<MixedValue> keys{MixedValue(QString()), MixedValue(QStringLiteral("A")),
                                 MixedValue(QStringLiteral("zz-inconnue"))};
    if (products.RecordCount() > 0) {
        products.MoveFirst();
        for (int n = 0; n < 64 && !products.Eof(); ++n, products.MoveNext())
            tryStep([&] { keys.push_back(products.Fields()[0].Value()); });
    }
    for (const MixedValue &key : keys) {
        tryStep([&] {
            products.Seek(QStringLiteral("="), key);
            if (!products.NoMatch()) {
                products.Fields()[1].Value();
                products.Fields()[3].Value();
            }
        });
    }
}

}  // namespace

int exerciseCatalogue(const QString &path)
{
    std::shared_ptr<jet::Database> database;
    try {
        database = jet::DBEngine::OpenDatabase(path);
    } catch (const RuntimeError &refusal) {
        return refusal.number();
    }
    for (const QString &table : database->TableNames()) {
        tryStep([&] { database->TableIndexes(table); });
        tryStep([&] { walk(*database->OpenRecordset(table)); });
    }
    tryStep([&] {
        const std::unique_ptr<jet::Recordset> listing = database->OpenRecordset(QStringLiteral(
            "select Produit.ref,Produit.desi,Produit.qté,Produit.prixvente from Produit order by produit.desi asc"));
        walk(*listing);
    });
    tryStep([&] {
        const std::unique_ptr<jet::Recordset> products = database->OpenRecordset(QStringLiteral("Produit"));
        walk(*products);
        lookUpReferences(*products);
    });
    return 0;
}
