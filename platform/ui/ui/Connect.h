#pragma once

#include <type_traits>
#include <utility>

#include <QObject>

#include "ui/Guard.h"

// Connections whose handler runs inside the kit's guard. The forms connect
// their handlers with ui::on instead of QObject::connect, so an exception in
// a handler (also one that code fired, e.g. by setting a radio group's item)
// ends in the exception handling and never unwinds through Qt.
namespace ui {

namespace detail {

// Called by Qt with exactly N of the signal's arguments.
template <int N, class Call> struct GuardedCall {
    QObject *sender;
    Call call;
    template <class... Args>
    requires(sizeof...(Args) == N) void operator()(Args &&...args) const
    {
        guard(sender, [&] { call(std::forward<Args>(args)...); });
    }
};

} // namespace detail

// Signal to a member function of the receiver; the handler may take fewer
// arguments than the signal has.
template <class Signal, class Slot>
requires std::is_member_function_pointer_v<Slot> QMetaObject::Connection
on(const typename QtPrivate::FunctionPointer<Signal>::Object *sender, Signal signal,
   typename QtPrivate::FunctionPointer<Slot>::Object *receiver, Slot slot,
   Qt::ConnectionType type = Qt::AutoConnection)
{
    constexpr int count = QtPrivate::FunctionPointer<Slot>::ArgumentCount;
    auto call = [receiver, slot](auto &&...args) {
        (receiver->*slot)(std::forward<decltype(args)>(args)...);
    };
    return QObject::connect(sender, signal, receiver,
                            detail::GuardedCall<count, decltype(call)>{
                                const_cast<QObject *>(static_cast<const QObject *>(sender)), call},
                            type);
}

// Signal to a function object living as long as the context object.
template <class Signal, class Functor>
requires(!std::is_member_function_pointer_v<Functor>) QMetaObject::Connection
    on(const typename QtPrivate::FunctionPointer<Signal>::Object *sender, Signal signal,
       const QObject *context, Functor functor, Qt::ConnectionType type = Qt::AutoConnection)
{
    using SignalArguments = typename QtPrivate::FunctionPointer<Signal>::Arguments;
    constexpr int count = QtPrivate::ComputeFunctorArgumentCount<Functor, SignalArguments>::Value;
    static_assert(count >= 0, "the handler cannot take the signal's arguments");
    return QObject::connect(
        sender, signal, context,
        detail::GuardedCall<count, Functor>{const_cast<QObject *>(static_cast<const QObject *>(sender)),
                                            std::move(functor)},
        type);
}

} // namespace ui
