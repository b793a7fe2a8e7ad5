#include "QuitOnceShown.h"

#include "Form2.h"
#include "LineGrid.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

// Watches the grid's first paint: the sheet is on screen once that paint is over, so the
// run ends from the event loop, after it.
class FirstPaintWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QCoreApplication::exit(EXIT_SUCCESS); },
                                      Qt::QueuedConnection);
        }
        return false;
    }
};

}  // namespace

void quitOnceShown(Form2 &window)
{
    window.G->viewport()->installEventFilter(new FirstPaintWatcher(&window));
}
