#pragma once
// How a handler meets a failure. Every handler uses one of three modes for its whole body,
// by name, so that the choice is visible where the handler is written:
//
//   ResumeNext         each statement runs through `step(...)`: a failing statement is
//                      abandoned and the next one runs; nothing is reported. A failing
//                      *condition* enters its block (`enters(...)`), which is what lets some
//                      guards go on and makes others stop.
//   EndHandlerOnError  the first failure ends the handler, silently.
//   NoHandling         the failure leaves the handler. It reaches the event loop through
//                      `AtEventLoop`, which makes it the standard report, and the program ends.
//
// Only RuntimeError is a failure of the program's own rules. Anything else (memory running
// out, a fault in a library) is never swallowed by a mode: it leaves the handler and
// AtEventLoop reports it as well, rather than letting it reach Qt's event loop, where it
// would end the program without a word.

#include "RuntimeError.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <optional>
#include <type_traits>
#include <utility>

class ResumeNext {
public:
    template <class Statement>
    void step(Statement &&statement) const
    {
        try {
            std::forward<Statement>(statement)();
        } catch (const RuntimeError &) {
        }
    }

    template <class Condition>
    bool enters(Condition &&condition) const
    {
        try {
            return std::forward<Condition>(condition)();
        } catch (const RuntimeError &) {
            return true;
        }
    }
};

template <class Body>
void EndHandlerOnError(Body &&body)
{
    try {
        std::forward<Body>(body)();
    } catch (const RuntimeError &) {
    }
}

template <class Body>
void NoHandling(Body &&body)
{
    std::forward<Body>(body)();
}

namespace ErrorModeDetail {

template <class T>
struct AsOptional {
    using type = std::optional<T>;
};
template <class T>
struct AsOptional<std::optional<T>> {
    using type = std::optional<T>;
};

}  // namespace ErrorModeDetail

// Where a rule's failure is an answer rather than an error, inside a computation and not a
// handler: a line total that is no number adds nothing to the sum, an amount beyond
// Currency's range leaves its line out of the sum, a total that cannot be figured leaves
// its cell empty. What is dropped is a RuntimeError, and only that: memory running out or a
// fault in a library still leaves, to be reported. Gives what `compute` gives (an optional
// one as it is), or nothing when it fails; for a statement, it just goes on.
template <class Compute>
auto unlessItFails(Compute &&compute)
{
    using Result = std::invoke_result_t<Compute>;
    if constexpr (std::is_void_v<Result>) {
        try {
            std::forward<Compute>(compute)();
        } catch (const RuntimeError &) {
        }
    } else {
        using Answer = typename ErrorModeDetail::AsOptional<Result>::type;
        try {
            return Answer(std::forward<Compute>(compute)());
        } catch (const RuntimeError &) {
            return Answer();
        }
    }
}

// The one place where a failure that left a handler meets the event loop: every handler,
// and every other call Qt makes into the program (src/ui/EventLoopEntries.h), runs inside
// it. Whatever leaves `handler` is given to `report` as a RuntimeError: std::bad_alloc as
// "Mémoire insuffisante", any other exception with its own text.
template <class Handler, class Report>
void AtEventLoop(Handler &&handler, Report &&report) noexcept
{
    try {
        try {
            std::forward<Handler>(handler)();
        } catch (const RuntimeError &failure) {
            report(failure);
        } catch (const std::bad_alloc &) {
            report(RuntimeError::outOfMemory());
        } catch (const std::exception &failure) {
            report(RuntimeError::internal(QString::fromLocal8Bit(failure.what())));
        } catch (...) {
            report(RuntimeError::internal(QStringLiteral("exception inconnue")));
        }
    } catch (...) {
        // The report itself failed (memory is gone): say what can be said without it.
        std::fputs("Fiche Produit : erreur fatale, le programme s'arrête.\n", stderr);
        std::_Exit(EXIT_FAILURE);
    }
}
