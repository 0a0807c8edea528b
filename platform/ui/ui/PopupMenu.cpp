#include "ui/PopupMenu.h"

namespace ui {

void PopupMenu::popupAt(const QPoint &globalPosition)
{
    popup(globalPosition);
}

void PopupMenu::attachTo(QWidget *control)
{
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(control, &QWidget::customContextMenuRequested, this, [this, control](const QPoint &position) {
        popupComponent_ = control;
        popupAt(control->mapToGlobal(position));
    });
}

QAction *PopupMenu::addItem(const char *name, const QString &caption)
{
    QAction *item = addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

} // namespace ui
