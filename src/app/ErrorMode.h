#pragma once
// The two ways a handler meets a failure, in one place so that every handler says which
// it uses instead of scattering try/catch by hand.
//
//   ResumeNext        continue-on-error: each statement runs through `step(...)`; a failing
//                     statement is abandoned and the next one runs, nothing is reported.
//                     A failing *condition* enters its block (`enters(...)`), which is what
//                     lets some guards go on and makes others stop.
//   EndHandlerOnError the first failure ends the handler; the caller learns it failed.
//
// A handler with no handling at all simply lets the RuntimeError leave it; start-up turns
// that into the standard report (src/app/StandardReport.h).

#include "RuntimeError.h"

#include <utility>

class ResumeNext {
public:
    template <class Statement>
    void step(Statement &&statement) const noexcept
    {
        try {
            std::forward<Statement>(statement)();
        } catch (const RuntimeError &) {
        }
    }

    template <class Condition>
    bool enters(Condition &&condition) const noexcept
    {
        try {
            return std::forward<Condition>(condition)();
        } catch (const RuntimeError &) {
            return true;
        }
    }
};

// Runs `body`; returns false if a failure ended it early.
template <class Body>
bool EndHandlerOnError(Body &&body) noexcept
{
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const RuntimeError &) {
        return false;
    }
}
