// Enter in the total field (total_KeyPress) on a sheet that holds the whole catalogue: the
// line is appended and both counters are recounted over every line. Entering the line
// (look-up, quantity, discount) is not timed.

#include "BenchSheets.h"
#include "LineGrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <benchmark/benchmark.h>

namespace {

void BM_AddLine(benchmark::State &state)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(int(state.range(0)));
    const QString reference = form.Ref->itemText(form.Ref->count() / 2);
    for (auto _ : state) {
        state.PauseTiming();
        form.Ref->setEditText(reference);
        form.qte->setText(QStringLiteral("3"));
        form.remise->setText(QStringLiteral("10"));  // prices the line
        const std::int32_t rowsBefore = form.G->RowCount();
        state.ResumeTiming();

        std::int16_t enter = 13;
        form.form->total_KeyPress(enter);

        if (form.G->RowCount() != rowsBefore + 1) {
            state.SkipWithError("Enter added no line");
            break;
        }
    }
}

}  // namespace

BENCHMARK(BM_AddLine)->ArgsProduct({FicheBench::Sizes})->Unit(benchmark::kMillisecond);
