#include "ui/Application.h"

#include <QStyle>
#include <QThreadPool>

#include "ui/DeferredIconStyle.h"
#include "ui/Guard.h"
#include "ui/StylePixmaps.h"

namespace ui {

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setStyle(new DeferredIconStyle(style()->name()));
    preloadStylePixmaps();
    // Qt spreads large fills and image conversions over the global thread
    // pool, one thread per core. For the program's windows, starting those
    // threads and handing work over cost more than they saved: the first
    // painting of the main window took about a seventh more CPU time with
    // eight threads than with two, in the same time on the clock. Two keep
    // large pictures scaled in parallel; the program puts no work of its own
    // into the pool.
    QThreadPool *pool = QThreadPool::globalInstance();
    pool->setMaxThreadCount(qMin(2, pool->maxThreadCount()));
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    guard(receiver, [&] { result = QApplication::notify(receiver, event); });
    return result;
}

} // namespace ui
