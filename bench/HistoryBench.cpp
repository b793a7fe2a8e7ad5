// What keeping the sheet's history costs the handlers that change it, on a sheet that holds
// the whole catalogue. Each case runs twice in the same process, /0 without a history and
// /1 with one, the steps recorded and closed into a change as the window does after the
// handler: the ratio of the two is the cost. "Nouveau" is timed with its undo: the listed
// sheet moves into the change and back, never copied.

#include "BenchSheets.h"
#include "LineGrid.h"
#include "SheetHistory.h"
#include "SheetModel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

constexpr int Products = 1'000'000;

// A history over the window's sheet while the case runs with recording, none otherwise.
class Recording {
public:
    Recording(const FicheTest::Controls &form, const benchmark::State &state)
    {
        if (state.range(0) != 0)
            m_history.emplace(form.G->sheet(), [&form] {
                return CounterCaptions{form.nbr->text(), form.totaux->text()};
            });
    }

    // What the window does once a handler is over.
    void close(ChangeKind kind)
    {
        if (m_history)
            m_history->close(kind);
    }
    bool undo() { return m_history && m_history->undo().has_value(); }

private:
    std::optional<SheetHistory> m_history;
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

}  // namespace

BENCHMARK(BM_HistoryCellEdit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_HistoryAddedLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_HistoryMove)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(BM_HistoryNew)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);
