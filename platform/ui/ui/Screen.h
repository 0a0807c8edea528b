#pragma once

#include <memory>

#include "ui/Seam.h"

class QWidget;

namespace ui {

// Which form is active and which control has the focus. Behind a seam so
// that tests decide it instead of a window manager.
class Screen {
public:
    virtual ~Screen() = default;
    virtual QWidget *activeForm() const = 0;
    virtual QWidget *activeControl() const = 0;
};

inline Screen &screen()
{
    return Seam<Screen>::current();
}

// Production: Qt's active window and focus widget.
class ApplicationScreen : public Screen {
public:
    QWidget *activeForm() const override;
    QWidget *activeControl() const override;
};

template <> std::unique_ptr<Screen> makeProductionService<Screen>();

} // namespace ui
