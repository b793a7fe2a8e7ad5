// The sheet's history in the window: each handler that changes the sheet ends with its
// change closed (Form2Wiring.cpp), and Annuler / Rétablir take changes back or do them
// again through the sheet's model, then show the counters as they were. No handler runs
// for them and the entry fields keep what they hold. The recovery record writes the
// changes down as they are closed (WindowRecord.h).

#include "ChangeActions.h"
#include "Form2.h"
#include "LineGrid.h"
#include "OpenedSheet.h"
#include "SheetModel.h"
#include "WindowRecord.h"

#include <QLabel>

void Form2::startHistory()
{
    m_history = std::make_unique<SheetHistory>(G->sheet(), [this] { return captions(); });
    new ChangeActions(*this, *m_gridActions);
}

CounterCaptions Form2::captions() const
{
    return {nbr->text(), totaux->text()};
}

void Form2::showCaptions(const CounterCaptions &captions)
{
    nbr->setText(captions.lineCount);
    totaux->setText(captions.grandTotal);
}

void Form2::closeChange(ChangeKind kind)
{
    if (m_history)
        m_history->close(kind);
}

void Form2::moving(void (Form2::*move)())
{
    std::optional<SheetHistory::EachStep> eachStep;
    if (m_history)
        eachStep.emplace(*m_history, ChangeKind::Move);
    (this->*move)();
}

void Form2::undoChange()
{
    if (!m_history)
        return;
    if (const std::optional<CounterCaptions> shown = m_history->undo())
        showCaptions(*shown);
}

void Form2::redoChange()
{
    if (!m_history)
        return;
    if (const std::optional<CounterCaptions> shown = m_history->redo())
        showCaptions(*shown);
}

void Form2::startRecord(const QString &records)
{
    m_record = new WindowRecord(*this, *m_gridActions, records);
}

void Form2::offerRecovery()
{
    if (m_record)
        m_record->offerRecovery();
}

void Form2::endNormally()
{
    if (m_record)
        m_record->endNormally();
}

void Form2::replaceSheet(const SheetContents &sheet, ChangeKind kind)
{
    G->sheet().replace(sheet.lineCount(), [&sheet](int line, int column) { return sheet.cell(line, column); });
    showCaptions(sheet.counters);
    closeChange(kind);
}
