#pragma once
// The sheet's changes, each to be undone and redone, one at a time, back to the sheet as it
// was when the history started (the listed sheet, at start-up), for as long as it lives.
//
// The handlers change the sheet as they always have; the sheet tells the history each step
// it takes (SheetSteps.h), and the window closes the steps taken since the last change into
// one change when a handler is over, with the two counters' captions as they now read. A
// cell edit is thus the user's cell, the cells the recalculation rewrote and the listed
// lines' repricing; "Nouveau" is the whole former sheet, moved into the change, not copied.
// Undoing and redoing take the steps back or do them again through the sheet's model, and
// give the captions to show: no handler runs again.
//
// Listeners hear of every step as it is taken and of every change closed, undone or
// redone, in that order: the recovery record writes them down (src/record).

#include "SheetCounters.h"
#include "SheetSteps.h"

#include <QDateTime>
#include <functional>
#include <optional>
#include <vector>

class SheetModel;

// What a change did, as the user names it ("Annuler l'ajout de la ligne").
enum class ChangeKind { CellEdit, AddedLine, Move, New, Opened, Recovered };

struct SheetChange {
    ChangeKind kind = ChangeKind::CellEdit;
    std::vector<SheetStepValue> steps;
    CounterCaptions before;
    CounterCaptions after;
};

class SheetHistory : public SheetJournal {
public:
    class Listener {
    public:
        virtual ~Listener() = default;
        // `sheet` as the step left it.
        virtual void stepTaken(const SheetStepValue & /*step*/, const SheetModel & /*sheet*/) {}
        virtual void changed(const SheetChange & /*change*/) {}
        virtual void undone(const SheetChange & /*change*/) {}
        virtual void redone(const SheetChange & /*change*/) {}
    };

    // Starts from `sheet` as it stands; `captions` reads the counters when a change closes.
    SheetHistory(SheetModel &sheet, std::function<CounterCaptions()> captions);
    ~SheetHistory() override;
    SheetHistory(const SheetHistory &) = delete;
    SheetHistory &operator=(const SheetHistory &) = delete;

    // Heard in the order added, until removed. Never removed while the listeners are being
    // told: a listener that must go waits for the handler to end.
    void addListener(Listener *listener);
    void removeListener(Listener *listener);

    void record(SheetStepValue step) override;

    // The steps taken since the last change become one change of `kind`; nothing is kept
    // when neither the sheet nor the counters changed. Redoing is no longer possible.
    void close(ChangeKind kind);

    // While one lives, every step is a change of `kind` of its own, closed as it is taken:
    // each one-place step of a move, before the question that follows it.
    class EachStep {
    public:
        EachStep(SheetHistory &history, ChangeKind kind);
        ~EachStep();
        EachStep(const EachStep &) = delete;
        EachStep &operator=(const EachStep &) = delete;

    private:
        SheetHistory &m_history;
    };

    // What undo() and redo() would undo and redo, if anything.
    std::optional<ChangeKind> undoable() const;
    std::optional<ChangeKind> redoable() const;
    // The captions the counters are to show after it; nothing when there was nothing to do.
    std::optional<CounterCaptions> undo();
    std::optional<CounterCaptions> redo();

private:
    template <class Tell>
    void tell(Tell &&tell);

    SheetModel &m_sheet;
    std::function<CounterCaptions()> m_captions;
    CounterCaptions m_shown;              // the captions after the last change, done or undone
    std::vector<SheetStepValue> m_taken;  // since the last change
    std::optional<ChangeKind> m_eachStep;
    std::vector<SheetChange> m_done;
    std::vector<SheetChange> m_undone;
    std::vector<Listener *> m_listeners;
};
