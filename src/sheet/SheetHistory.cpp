#include "SheetHistory.h"

#include "SheetModel.h"

#include <utility>

SheetHistory::SheetHistory(SheetModel &sheet, std::function<CounterCaptions()> captions)
    : m_sheet(sheet), m_captions(std::move(captions)), m_shown(m_captions())
{
    m_sheet.setJournal(this);
}

SheetHistory::~SheetHistory()
{
    m_sheet.setJournal(nullptr);
}

void SheetHistory::addListener(Listener *listener)
{
    m_listeners.push_back(listener);
}

void SheetHistory::removeListener(Listener *listener)
{
    std::erase(m_listeners, listener);
}

template <class Tell>
void SheetHistory::tell(Tell &&tell)
{
    for (Listener *listener : m_listeners)
        tell(*listener);
}

void SheetHistory::record(SheetStepValue step)
{
    tell([&](Listener &listener) { listener.stepTaken(step, m_sheet); });
    m_taken.push_back(std::move(step));
    if (m_eachStep)
        close(*m_eachStep);
}

void SheetHistory::close(ChangeKind kind)
{
    CounterCaptions now = m_captions();
    if (m_taken.empty() && now == m_shown)
        return;
    m_done.push_back({kind, std::exchange(m_taken, {}), m_shown, now});
    m_shown = std::move(now);
    m_undone.clear();
    tell([&](Listener &listener) { listener.changed(m_done.back()); });
}

SheetHistory::EachStep::EachStep(SheetHistory &history, ChangeKind kind) : m_history(history)
{
    m_history.m_eachStep = kind;
}

SheetHistory::EachStep::~EachStep()
{
    m_history.m_eachStep.reset();
}

std::optional<ChangeKind> SheetHistory::undoable() const
{
    if (m_done.empty())
        return std::nullopt;
    return m_done.back().kind;
}

std::optional<ChangeKind> SheetHistory::redoable() const
{
    if (m_undone.empty())
        return std::nullopt;
    return m_undone.back().kind;
}

std::optional<CounterCaptions> SheetHistory::undo()
{
    if (m_done.empty())
        return std::nullopt;
    SheetChange &change = m_done.back();
    m_sheet.undo(change.steps);
    m_shown = change.before;
    m_undone.push_back(std::move(change));
    m_done.pop_back();
    tell([&](Listener &listener) { listener.undone(m_undone.back()); });
    return m_shown;
}

std::optional<CounterCaptions> SheetHistory::redo()
{
    if (m_undone.empty())
        return std::nullopt;
    SheetChange &change = m_undone.back();
    m_sheet.redo(change.steps);
    m_shown = change.after;
    m_done.push_back(std::move(change));
    m_undone.pop_back();
    tell([&](Listener &listener) { listener.redone(m_done.back()); });
    return m_shown;
}
