// Ref_Change as each keystroke in Ref runs it: the text changes, the handler clears the
// line and looks the text up through "XREF". Two texts are typed in turn, so that every
// iteration is a change: two references of the catalogue (hit), or the same two with one
// letter more, which no product has (miss).

#include "BenchSheets.h"

#include <QComboBox>
#include <QLineEdit>
#include <benchmark/benchmark.h>

namespace {

void lookUp(benchmark::State &state, bool found)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(int(state.range(0)));
    QString texts[2] = {form.Ref->itemText(0), form.Ref->itemText(form.Ref->count() / 2)};
    if (!found) {
        for (QString &text : texts)
            text += u'Z';
    }
    std::size_t typed = 0;
    for (auto _ : state)
        form.Ref->setEditText(texts[++typed % 2]);
    if (form.desi->text().isEmpty() == found)
        state.SkipWithError("the look-up did not find what it should have");
}

void BM_RefChange_Hit(benchmark::State &state)
{
    lookUp(state, true);
}

void BM_RefChange_Miss(benchmark::State &state)
{
    lookUp(state, false);
}

// The first keystroke after start-up also builds the look-up structure of "XREF" over every
// reference (each through its French sort key): timed on a window just loaded.
void BM_RefChange_First(benchmark::State &state)
{
    const int products = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        FicheBench::closeWindow();
        const FicheTest::Controls &form = FicheBench::listedWindow(products);
        const QString reference = form.Ref->itemText(form.Ref->count() / 2);
        state.ResumeTiming();
        form.Ref->setEditText(reference);
    }
}

}  // namespace

BENCHMARK(BM_RefChange_First)->ArgsProduct({FicheBench::Sizes})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RefChange_Hit)->ArgsProduct({FicheBench::Sizes})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefChange_Miss)->ArgsProduct({FicheBench::Sizes})->Unit(benchmark::kMicrosecond);
