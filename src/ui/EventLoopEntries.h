#pragma once
// Every call Qt makes into the program (a signal's slot, an event filter, a timer, a view's
// read of a model) comes in through AtEventLoop (ErrorMode.h), so that no exception ever
// reaches Qt's event loop, and each failure meets the answer its kind of call gets:
//
//   runHandler   a handler of the window's rules: a failure that leaves it is the standard
//                report, and the program ends there and then.
//   runAction    what the window does beyond its rules (a notice over the window, the
//                grid's own reactions): a failure is told, and the program goes on.
//
// The grid's menu tells its failures in its own message boxes (GridActions.h), and a read
// that a view asks for while it paints is told once the paint is over (ViewReads.h).

#include "ErrorMode.h"
#include "ReportBox.h"

#include <utility>

template <class Handler>
void runHandler(Handler &&handler)
{
    AtEventLoop(std::forward<Handler>(handler), endProgramWithReport);
}

template <class Action>
void runAction(Action &&action)
{
    AtEventLoop(std::forward<Action>(action), [](const RuntimeError &failure) { warnOf(failure); });
}
