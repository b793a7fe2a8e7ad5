#include "ViewReads.h"

#include "EventLoopEntries.h"

void ViewReads::failed(const RuntimeError &failure) const
{
    if (m_told || !m_model)
        return;
    m_told = true;
    // After the paint: a message box shown from inside it would paint the view again, and
    // read again, before the first paint is over.
    QMetaObject::invokeMethod(
        m_model, [unshown = m_unshown, failure] { runAction([&] { warnOf(failure, unshown); }); },
        Qt::QueuedConnection);
}
