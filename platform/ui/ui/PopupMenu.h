#pragma once

#include <QMenu>
#include <QPointer>

namespace ui {

// A popup menu that can be opened at a point and be attached to controls as
// their context menu. popupComponent is the control it was last opened on
// (code may set it before running an item, as the system does).
class PopupMenu : public QMenu {
    Q_OBJECT
public:
    explicit PopupMenu(QWidget *parent = nullptr) : QMenu(parent) {}

    QWidget *popupComponent() const { return popupComponent_; }
    void setPopupComponent(QWidget *control) { popupComponent_ = control; }
    // Opens at a point in global coordinates.
    void popupAt(const QPoint &globalPosition);
    // Right-clicking the control opens this menu instead of the control's own.
    void attachTo(QWidget *control);
    // An item with its system name.
    QAction *addItem(const char *name, const QString &caption);

private:
    QPointer<QWidget> popupComponent_;
};

} // namespace ui
