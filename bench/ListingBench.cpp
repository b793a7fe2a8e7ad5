// The sheet's listing (REMPLIR_Produit) with the catalogue already open, as "Nouveau" then
// a new listing would run it; and the whole load (Form_Load on a new window: the file
// opened and decoded, the reference list filled, the sheet listed), which is start-up less
// Qt's own start and the first paint.

#include "BenchSheets.h"
#include "FicheTestSupport.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Listing(benchmark::State &state)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(int(state.range(0)));
    for (auto _ : state)
        form.form->REMPLIR_Produit();
}

void BM_FormLoad(benchmark::State &state)
{
    const QString catalogue = FicheBench::catalogue(int(state.range(0)));
    FicheBench::closeWindow();  // nothing open: the file is read and decoded again each time
    for (auto _ : state) {
        auto form = FicheTest::loadForm(catalogue);
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_Listing)->ArgsProduct({FicheBench::Sizes})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormLoad)->ArgsProduct({FicheBench::Sizes})->Unit(benchmark::kMillisecond);
