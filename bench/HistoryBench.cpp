// What keeping the sheet's history costs the handlers that change it, on a sheet that holds
// the whole catalogue. Each case runs three times in the same process, /0 without a history,
// /1 with one, the steps recorded and closed into a change as the window does after the
// handler, and /2 with the recovery record besides, each change written to its file and
// synced from the record's thread as the window does: the ratios to /0 are the costs.
// "Nouveau" is timed with its undo: the listed sheet moves into the change and back, never
// copied. Then the record's own work: a slice of the listed products written while the
// window is idle, and the whole record read back as the next start does after a crash.

#include "BenchSheets.h"
#include "LineGrid.h"
#include "RecordSync.h"
#include "SheetHistory.h"
#include "SheetModel.h"
#include "SheetRecord.h"
#include "SheetRecordReader.h"
#include "WindowRecord.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

constexpr int Products = 1'000'000;

CounterCaptions captionsOf(const FicheTest::Controls &form)
{
    return {form.nbr->text(), form.totaux->text()};
}

// The record of a window's sheet in a folder of its own, its products all written.
class RecordFile {
public:
    RecordFile(const FicheTest::Controls &form, SheetHistory *history)
        : m_file(m_folder.filePath(QStringLiteral("journal")))
    {
        m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        m_record.emplace(m_file, form.G->sheet(), captionsOf(form));
        m_record->writeProducts(Products);
        m_sync.emplace(m_file.handle());
        if (history)
            history->addListener(&*m_record);
    }
    SheetRecord &record() { return *m_record; }
    QString path() const { return m_file.fileName(); }
    void written() { m_sync->written(); }

private:
    QTemporaryDir m_folder;
    QFile m_file;
    std::optional<SheetRecord> m_record;
    std::optional<RecordSync> m_sync;
};

// A history over the window's sheet while the case runs with recording (/1), and the
// recovery record (/2); none without (/0).
class Recording {
public:
    Recording(const FicheTest::Controls &form, const benchmark::State &state)
    {
        if (state.range(0) != 0)
            m_history.emplace(form.G->sheet(), [&form] { return captionsOf(form); });
        if (state.range(0) == 2)
            m_record.emplace(form, &*m_history);
    }

    // What the window does once a handler is over.
    void close(ChangeKind kind)
    {
        if (m_history)
            m_history->close(kind);
        if (m_record)
            m_record->written();
    }
    bool undo() { return m_history && m_history->undo().has_value(); }

private:
    std::optional<SheetHistory> m_history;
    std::optional<RecordFile> m_record;
};

void BM_HistoryCellEdit(benchmark::State &state)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(Products);
    Recording recording(form, state);
    int row = 1;
    for (auto _ : state) {
        // A listed line retyped: it takes texts of its own, then every line is repriced.
        form.G->setCellText(row, 2, QString::number(row % 7 + 1));
        form.form->G_CellEdited();
        recording.close(ChangeKind::CellEdit);
        row += 997;
    }
}

void BM_HistoryAddedLine(benchmark::State &state)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(Products);
    Recording recording(form, state);
    const QString reference = form.Ref->itemText(form.Ref->count() / 2);
    for (auto _ : state) {
        state.PauseTiming();
        form.Ref->setEditText(reference);
        form.qte->setText(QStringLiteral("3"));
        form.remise->setText(QStringLiteral("10"));
        state.ResumeTiming();

        std::int16_t enter = 13;
        form.form->total_KeyPress(enter);
        recording.close(ChangeKind::AddedLine);
    }
}

void BM_HistoryMove(benchmark::State &state)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(Products);
    form.form->setQuestion([](const QString &) { return false; });  // one row at a time
    Recording recording(form, state);
    for (auto _ : state) {
        form.G->setCurrentRow(Products / 2);
        form.form->haut_Click();
        recording.close(ChangeKind::Move);
    }
    form.form->setQuestion({});
}

// With recording, "Nouveau" then its undo, which brings the listed sheet back; without,
// "Nouveau" alone, the sheet listed again outside the timing.
void BM_HistoryNew(benchmark::State &state)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(Products);
    Recording recording(form, state);
    for (auto _ : state) {
        form.form->Nouveau_Click();
        recording.close(ChangeKind::New);
        if (!recording.undo()) {
            state.PauseTiming();
            form.form->REMPLIR_Produit();
            state.ResumeTiming();
        }
        if (form.G->RowCount() != Products + 1) {
            state.SkipWithError("the listed sheet did not come back");
            break;
        }
    }
}

// One slice of the listed products written to the record, as the window does when idle: to
// be compared with a frame (16 ms).
void BM_RecordProductSlice(benchmark::State &state)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(Products);
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("journal")));
    file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    SheetRecord record(file, form.G->sheet(), captionsOf(form));
    for (auto _ : state)
        record.writeProducts(WindowRecord::ProductSlice);
    state.counters["products"] = double(WindowRecord::ProductSlice);
}

// The record of the whole listed sheet and one cell edit read back, as the next start reads
// a crashed window's.
void BM_RecordReadBack(benchmark::State &state)
{
    const FicheTest::Controls &form = FicheBench::listedWindow(Products);
    std::optional<SheetHistory> history;
    history.emplace(form.G->sheet(), [&form] { return captionsOf(form); });
    RecordFile record(form, &*history);
    form.G->setCellText(5, 2, QStringLiteral("2"));
    form.form->G_CellEdited();
    history->close(ChangeKind::CellEdit);
    history->undo();  // the window's sheet as listed again, for the other cases
    history.reset();
    for (auto _ : state) {
        QFile file(record.path());
        file.open(QIODevice::ReadOnly);
        const RecordReading reading = readSheetRecord(file);
        if (reading.lineCount != Products || !reading.stop.isEmpty()) {
            state.SkipWithError("the record did not read back whole");
            break;
        }
    }
}

}  // namespace

BENCHMARK(BM_HistoryCellEdit)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_HistoryAddedLine)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_HistoryMove)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_HistoryNew)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RecordProductSlice)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_RecordReadBack)->Unit(benchmark::kMillisecond)->Iterations(2);
