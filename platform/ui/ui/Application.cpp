#include "ui/Application.h"

#include <QStyle>

#include "ui/DeferredIconStyle.h"
#include "ui/Guard.h"
#include "ui/StylePixmaps.h"

namespace ui {

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setStyle(new DeferredIconStyle(style()->name()));
    preloadStylePixmaps();
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    guard(receiver, [&] { result = QApplication::notify(receiver, event); });
    return result;
}

} // namespace ui
