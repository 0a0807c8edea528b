#pragma once

#include <cstdint>
#include <functional>

class QObject;

namespace reporting {

// The notification events both component versions fire with the same arguments.
class TTbSharedEvents {
public:
    // `record` is the engine's record for the message.
    using RecordResultEvent = std::function<void(QObject *sender, void *record, intptr_t &result)>;
    using HelpEvent = std::function<void(QObject *sender, int helpCommand, int contextId, intptr_t &result)>;
    using MenuEvent = std::function<void(QObject *sender, intptr_t handle)>;
    using SelectMenuEvent = std::function<void(QObject *sender, int menuId, intptr_t &result)>;
    using NotifyEvent = std::function<void(QObject *sender)>;

    HelpEvent OnHelp;
    MenuEvent OnEnableMenu, OnModifyMenu;
    SelectMenuEvent OnSelectMenu;
    NotifyEvent OnFailsFilter;

protected:
    ~TTbSharedEvents() = default;
};

// Fires a record event whose answer starts at start; without a handler the answer is start.
inline intptr_t tbFireRecordEvent(const TTbSharedEvents::RecordResultEvent &event, QObject *sender,
                                  void *record, intptr_t start)
{
    intptr_t result = start;
    if (event)
        event(sender, record, result);
    return result;
}

// The high and the low word of a notification's parameter.
inline int tbHighWord(intptr_t parameter)
{
    return int((parameter >> 16) & 0xFFFF);
}

inline int tbLowWord(intptr_t parameter)
{
    return int(parameter & 0xFFFF);
}

} // namespace reporting
