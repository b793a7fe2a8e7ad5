// Saving the sheet as a .fiche file and opening it again, on a sheet that holds the whole
// catalogue, next to the CSV export of the same sheet in the same run (BM_SaveCsv, which
// runs the grid's menu entry). Saving goes through writeSheetFile, as the menu's will;
// opening reads the file the user chose, a .fiche file or the CSV the export wrote.

#include "BenchSheets.h"
#include "CsvFile.h"
#include "FicheWriter.h"
#include "GridSheet.h"
#include "LineGrid.h"
#include "SheetFile.h"
#include "SheetOpening.h"

#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using SheetWriter = bool (*)(const SheetTable &, const FicheTest::Controls &, QIODevice &);

bool writeFicheOf(const SheetTable &sheet, const FicheTest::Controls &window, QIODevice &file)
{
    const CounterCaptions counters{window.nbr->text(), window.totaux->text()};
    return writeFiche(sheet, counters, window.form->regional(), file, [](int) { return true; });
}

bool writeCsvOf(const SheetTable &sheet, const FicheTest::Controls &window, QIODevice &file)
{
    return writeSheetCsv(sheet, window.form->regional(), file, [](int) { return true; });
}

// Writes the window's sheet into `file` whole; false with the reason in `state` otherwise.
bool save(benchmark::State &state, const FicheTest::Controls &window, const QString &file, SheetWriter write)
{
    const GridSheet sheet(*window.G);
    const SheetFileOutcome outcome = writeSheetFile(file, window.form->module1().DatabaseFile(),
                                                    [&](QIODevice &device) { return write(sheet, window, device); });
    if (outcome.kind != SheetFileOutcome::Written)
        state.SkipWithError(outcome.kind == SheetFileOutcome::Refused ? qPrintable(outcome.message) : "cancelled");
    return outcome.kind == SheetFileOutcome::Written;
}

void BM_SaveFiche(benchmark::State &state)
{
    const FicheTest::Controls &window = FicheBench::listedWindow(int(state.range(0)));
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("fiche.fiche"));
    for (auto _ : state) {
        if (!save(state, window, file, writeFicheOf))
            break;
    }
    state.counters["bytes"] = double(QFileInfo(file).size());
}

// Opens what `write` saved of the listed sheet, once per iteration.
void openSaved(benchmark::State &state, const QString &fileName, SheetWriter write)
{
    const FicheTest::Controls &window = FicheBench::listedWindow(int(state.range(0)));
    QTemporaryDir folder;
    const QString file = folder.filePath(fileName);
    if (!save(state, window, file, write))
        return;
    QStringList titles;
    const GridSheet sheet(*window.G);
    for (int column = 0; column < sheet.columnCount(); ++column)
        titles.append(sheet.cellText(0, column));
    for (auto _ : state) {
        const SheetReading read = readSheetFile(file, titles, window.form->regional(), [](int) { return true; });
        if (read.kind != SheetReading::Read || read.sheet.lineCount() != window.G->RowCount() - 1) {
            state.SkipWithError(read.kind == SheetReading::Refused ? qPrintable(read.message) : "not read whole");
            break;
        }
    }
    state.counters["bytes"] = double(QFileInfo(file).size());
}

void BM_OpenFiche(benchmark::State &state)
{
    openSaved(state, QStringLiteral("fiche.fiche"), writeFicheOf);
}

void BM_OpenCsv(benchmark::State &state)
{
    openSaved(state, QStringLiteral("fiche.csv"), writeCsvOf);
}

}  // namespace

BENCHMARK(BM_SaveFiche)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFiche)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCsv)->Arg(20'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
