// What the program reads from the opened catalogue, on the catalogues of
// EngineCatalogues.h:
//  - BM_KeystrokeLookUp: a keystroke in the reference box, as Ref_Change looks it up:
//    the index set, the reference sought (in lower case, two references in turn, both
//    found), the designation and the price read;
//  - BM_ListingWalk: the listing's walk, the quantity and the price of every product in
//    the order of the designations.

#include "EngineCatalogues.h"
#include "Jet.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct OpenCatalogue {
    std::shared_ptr<jet::Database> database;
    std::unique_ptr<jet::Recordset> table;
};

OpenCatalogue open(int products)
{
    OpenCatalogue open;
    open.database = jet::DBEngine::OpenDatabase(EngineBench::catalogue(products));
    open.table = open.database->OpenRecordset(QStringLiteral("Produit"));
    return open;
}

void BM_KeystrokeLookUp(benchmark::State &state)
{
    const OpenCatalogue catalogue = open(int(state.range(0)));
    jet::Recordset &table = *catalogue.table;
    QString keys[2];
    for (QString &key : keys) {
        key = table.Fields()[0].Value().as<QString>().toLower();
        table.setAbsolutePosition(table.RecordCount() / 2);
    }
    std::size_t typed = 0;
    for (auto _ : state) {
        table.setIndex(QStringLiteral("XREF"));
        table.Seek(QStringLiteral("="), MixedValue(keys[++typed % 2]));
        benchmark::DoNotOptimize(table.Fields()[1].Value());
        benchmark::DoNotOptimize(table.Fields()[3].Value());
    }
    if (table.NoMatch())
        state.SkipWithError("a reference of the catalogue was not found");
}

void BM_ListingWalk(benchmark::State &state)
{
    const OpenCatalogue catalogue = open(int(state.range(0)));
    const auto listing = catalogue.database->OpenRecordset(
        QStringLiteral("select Produit.ref,Produit.desi,Produit.qté,Produit.prixvente from Produit "
                       "order by produit.desi asc"));
    for (auto _ : state) {
        for (listing->MoveFirst(); !listing->Eof(); listing->MoveNext()) {
            benchmark::DoNotOptimize(listing->Fields()[2].Value());
            benchmark::DoNotOptimize(listing->Fields()[3].Value());
        }
    }
}

}  // namespace

BENCHMARK(BM_KeystrokeLookUp)->ArgsProduct({EngineBench::Sizes})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListingWalk)->ArgsProduct({EngineBench::Sizes})->Unit(benchmark::kMillisecond);
