// The sheet beyond the screen, on a sheet that holds the whole catalogue, as the user runs
// each action from the grid's menu (the save dialog answered at once): the CSV and the PDF
// written whole through QSaveFile into a temporary folder, the whole sheet copied to the
// clipboard, and a search that finds no line, which reads every reference and designation.

#include "BenchSheets.h"
#include "GridActions.h"
#include "GridSheet.h"
#include "LineGrid.h"
#include "LineSearch.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

GridActions &actionsOf(const FicheTest::Controls &window)
{
    return *window.form->findChild<GridActions *>(QStringLiteral("actionsFiche"));
}

// Runs one file action per iteration into `fileName`; reports the file's size.
void writeFile(benchmark::State &state, const QString &fileName, void (GridActions::*action)())
{
    GridActions &actions = actionsOf(FicheBench::listedWindow(int(state.range(0))));
    QTemporaryDir folder;
    const QString file = folder.filePath(fileName);
    QStringList messages;
    actions.setSaveFileQuestion([&](const QString &, const QString &, const QString &) { return file; });
    actions.setMessage([&](QMessageBox::Icon, const QString &text) { messages.append(text); });
    for (auto _ : state)
        (actions.*action)();
    if (!messages.isEmpty())
        state.SkipWithError(qPrintable(messages.constFirst()));
    state.counters["bytes"] = double(QFileInfo(file).size());
}

void BM_SaveCsv(benchmark::State &state)
{
    writeFile(state, QStringLiteral("fiche.csv"), &GridActions::saveCsv);
}

void BM_ExportPdf(benchmark::State &state)
{
    writeFile(state, QStringLiteral("fiche.pdf"), &GridActions::exportPdf);
}

void BM_CopyWholeSheet(benchmark::State &state)
{
    GridActions &actions = actionsOf(FicheBench::listedWindow(int(state.range(0))));
    for (auto _ : state)
        actions.copyWholeSheet();
}

void BM_FindNoLine(benchmark::State &state)
{
    const GridSheet sheet(*FicheBench::listedWindow(int(state.range(0))).G);
    TextFinder finder(QStringLiteral("introuvable"));
    for (auto _ : state)
        benchmark::DoNotOptimize(nextLineHolding(sheet, 1, finder));
}

}  // namespace

BENCHMARK(BM_SaveCsv)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPdf)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyWholeSheet)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNoLine)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
