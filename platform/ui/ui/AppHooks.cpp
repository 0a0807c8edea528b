#include "ui/AppHooks.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "ui/Guard.h"

namespace ui {

AppHooks &AppHooks::instance()
{
    static AppHooks *hooks = new AppHooks; // lives as long as the program
    hooks->attachToApplication();
    return *hooks;
}

AppHooks::AppHooks() = default;

void AppHooks::attachToApplication()
{
    if (attached_ || !qApp)
        return;
    attached_ = true;
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *) { notifyActiveControlChanged(this); });
}

void AppHooks::notifyActiveControlChanged(QObject *sender)
{
    if (!activeControl.current())
        return;
    guard(sender, [&] {
        ActiveControlHandler handler = activeControl.current(); // may exchange itself
        handler(sender);
    });
}

bool AppHooks::askMessageHook(QWidget *target, QKeyEvent *event)
{
    bool handled = false;
    MessageHandler handler = message.current();
    if (!handler)
        return false;
    guard(target, [&] {
        handler(KeyMessage{target, event->key(), event->modifiers(), event->text()}, handled);
    });
    return handled;
}

bool AppHooks::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) || !watched->isWidgetType() ||
        !message.current())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    auto *target = static_cast<QWidget *>(watched);
    if (key == lastEvent_ && lastTarget_ && lastTarget_ != target && target->isAncestorOf(lastTarget_))
        return false; // the same press offered to a parent
    lastEvent_ = key;
    lastTarget_ = target;

    if (type == QEvent::ShortcutOverride) {
        pending_ = true;
        pendingKey_ = key->key();
        pendingModifiers_ = key->modifiers();
        pendingHandled_ = askMessageHook(target, key);
        if (pendingHandled_) {
            key->accept(); // keeps menu shortcuts from taking the key
            return true;
        }
        return false;
    }
    if (pending_ && pendingKey_ == key->key() && pendingModifiers_ == key->modifiers()) {
        pending_ = false;
        return pendingHandled_;
    }
    pending_ = false;
    return askMessageHook(target, key);
}

} // namespace ui
