#pragma once

#include <exception>
#include <functional>
#include <utility>

#include <QObject>
#include <QString>

class QKeyEvent;
class QWidget;

namespace ui {

// A key press as the message hook sees it, before it is dispatched to the
// focused control and before menu shortcuts.
struct KeyMessage {
    QWidget *target = nullptr; // the control the key goes to
    int key = 0;               // Qt::Key
    Qt::KeyboardModifiers modifiers;
    QString text;
};

using MessageHandler = std::function<void(const KeyMessage &message, bool &handled)>;
using ExceptionHandler = std::function<void(QObject *sender, const std::exception &error)>;
using ActiveControlHandler = std::function<void(QObject *sender)>;

// One application-wide handler slot. Whoever installs a handler keeps the
// one it replaced, calls it for what it does not handle itself and puts it
// back when it leaves; so with several installers the handlers come back in
// the reverse order of installation.
template <class Handler> class Hook {
public:
    const Handler &current() const { return handler_; }
    // Installs a handler (an empty one clears the slot) and returns the previous one.
    Handler exchange(Handler handler) { return std::exchange(handler_, std::move(handler)); }

private:
    Handler handler_;
};

// Installs a handler for its lifetime and restores the previous one after it.
template <class Handler> class ScopedHook {
public:
    ScopedHook(Hook<Handler> &hook, Handler handler)
        : hook_(hook), previous_(hook.exchange(std::move(handler)))
    {
    }
    ~ScopedHook() { hook_.exchange(std::move(previous_)); }
    const Handler &previous() const { return previous_; }
    ScopedHook(const ScopedHook &) = delete;
    ScopedHook &operator=(const ScopedHook &) = delete;

private:
    Hook<Handler> &hook_;
    Handler previous_;
};

// The three hooks the navigation set chains: key messages, exceptions that
// reach the top of a handler, and changes of the focused control. Key and
// focus events are taken from the running QApplication once it exists.
class AppHooks : public QObject {
    Q_OBJECT
public:
    static AppHooks &instance();

    Hook<MessageHandler> message;
    Hook<ExceptionHandler> exception;
    Hook<ActiveControlHandler> activeControl;

    // Called by the application's focus tracking (and by test fakes of the
    // screen): runs the active-control handler inside the guard.
    void notifyActiveControlChanged(QObject *sender);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AppHooks();
    void attachToApplication();
    bool askMessageHook(QWidget *target, QKeyEvent *event);

    bool attached_ = false;
    // The key press asked about at its shortcut check; the press that follows
    // is then swallowed (handled) or let through without asking again.
    int pendingKey_ = 0;
    Qt::KeyboardModifiers pendingModifiers_;
    bool pendingHandled_ = false;
    bool pending_ = false;
    // Qt offers an ignored key to the parents of the receiver too; only the
    // first delivery is asked.
    const QKeyEvent *lastEvent_ = nullptr;
    QWidget *lastTarget_ = nullptr;
};

inline AppHooks &hooks()
{
    return AppHooks::instance();
}

} // namespace ui
