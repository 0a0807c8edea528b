#include "ui/Screen.h"

#include <QApplication>
#include <QWidget>

namespace ui {

QWidget *ApplicationScreen::activeForm() const
{
    return QApplication::activeWindow();
}

QWidget *ApplicationScreen::activeControl() const
{
    return QApplication::focusWidget();
}

template <> std::unique_ptr<Screen> makeProductionService<Screen>()
{
    return std::make_unique<ApplicationScreen>();
}

} // namespace ui
