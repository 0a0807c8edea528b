#pragma once
// Everything the library holds for the whole process, built in one place at
// load and torn down in reverse at unload (no other static objects, since
// the order of static constructors across files is not defined).
#include "support/config_switches.h"
#include "support/debug_channel.h"
#include "support/sibling_libraries.h"

#include <cstdint>
#include <memory>
#include <mutex>

namespace tbpr::support {

struct LibraryState {
    UtilityLibrary utility;
    ControlLibrary control;
    std::once_flag controlOnce;
    Switches switches;
    std::unique_ptr<DebugChannel> channel;
    bool crashHandlerEnabled = false;
    std::intptr_t protectionJob = 0;
};

} // namespace tbpr::support
