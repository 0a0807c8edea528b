#pragma once

#include <exception>
#include <utility>

class QObject;

// The kit's guard: no exception ever unwinds through Qt. Every handler runs
// inside guard(); the silent abort is swallowed, any other exception goes to
// the current exception handler (the exception hook, see AppHooks.h), by
// default an error box with the exception's message.
namespace ui {

// Hands an exception that reached the top of a handler to the exception
// handling: swallowed when it is the silent abort, otherwise to the hook.
void handleException(QObject *sender, std::exception_ptr error) noexcept;

template <class F> void guard(QObject *sender, F &&handler) noexcept
{
    try {
        std::forward<F>(handler)();
    } catch (...) {
        handleException(sender, std::current_exception());
    }
}

} // namespace ui
