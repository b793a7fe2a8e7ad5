// G_CellEdited on a sheet that holds the whole catalogue: every line is priced again and
// put back, and both counters are set afresh; the first time after the listing, and after.

#include "BenchSheets.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CellEdited(benchmark::State &state)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(int(state.range(0)));
    for (auto _ : state)
        form.form->G_CellEdited();
}

// The first edit after the listing also prices every listed line the recalculation's way.
void BM_CellEdited_First(benchmark::State &state)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        form.form->REMPLIR_Produit();
        state.ResumeTiming();
        form.form->G_CellEdited();
    }
}

}  // namespace

BENCHMARK(BM_CellEdited)->ArgsProduct({FicheBench::Sizes})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CellEdited_First)->ArgsProduct({FicheBench::Sizes})->Unit(benchmark::kMillisecond)->Iterations(5);
