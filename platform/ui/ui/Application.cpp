#include "ui/Application.h"

#include "ui/Guard.h"

namespace ui {

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    guard(receiver, [&] { result = QApplication::notify(receiver, event); });
    return result;
}

} // namespace ui
