// G_CellEdited on a sheet that holds the whole catalogue: every line is priced again and
// put back, and both counters are set afresh.

#include "BenchSheets.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CellEdited(benchmark::State &state)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(int(state.range(0)));
    for (auto _ : state)
        form.form->G_CellEdited();
}

}  // namespace

BENCHMARK(BM_CellEdited)->ArgsProduct({FicheBench::Sizes})->Unit(benchmark::kMillisecond);
