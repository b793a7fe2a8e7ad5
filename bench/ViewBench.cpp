// What the user waits for when the views show a big sheet or catalogue: the reference
// list dropped open, and the grid painted after a jump to the end or a page further down.
// Each paint is forced at once (repaint), as the event loop would do it next.

#include "BenchSheets.h"
#include "LineGrid.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>
#include <benchmark/benchmark.h>
#include <random>

namespace {

void BM_RefListOpen(benchmark::State &state)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(int(state.range(0)));
    FicheTest::showActive(*form.form);
    QAbstractItemView *list = form.Ref->view();
    for (auto _ : state) {
        form.Ref->showPopup();
        list->viewport()->repaint();
        state.PauseTiming();
        form.Ref->hidePopup();
        state.ResumeTiming();
    }
}

void BM_PaintAfterCtrlEnd(benchmark::State &state)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(int(state.range(0)));
    FicheTest::showActive(*form.form);
    form.G->setFocus();
    bool toEnd = true;
    for (auto _ : state) {
        QTest::keyClick(form.G, toEnd ? Qt::Key_End : Qt::Key_Home, Qt::ControlModifier);
        form.G->viewport()->repaint();
        toEnd = !toEnd;
    }
}

void BM_PaintAfterPageDown(benchmark::State &state)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(int(state.range(0)));
    FicheTest::showActive(*form.form);
    form.G->setFocus();
    std::mt19937 random(7);
    std::uniform_int_distribution<int> anywhere(1, form.G->RowCount() - 1);
    for (auto _ : state) {
        state.PauseTiming();
        form.G->setCurrentRow(anywhere(random));
        form.G->viewport()->repaint();
        state.ResumeTiming();
        QTest::keyClick(form.G, Qt::Key_PageDown);
        form.G->viewport()->repaint();
    }
}

}  // namespace

BENCHMARK(BM_RefListOpen)->ArgsProduct({FicheBench::Sizes})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintAfterCtrlEnd)->ArgsProduct({FicheBench::Sizes})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintAfterPageDown)->ArgsProduct({FicheBench::Sizes})->Unit(benchmark::kMillisecond);
