#include "support/crash_switch.h"

#include "support/stack_trace.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace tbpr::support {

namespace {

bool envIsOne(const char *name)
{
    const char *value = std::getenv(name);
    return value && std::strcmp(value, "1") == 0;
}

} // namespace

bool decideCrashHandler(const Switches &switches, bool debuggerAttached, bool debuggerOverride)
{
    bool enabled = true;
    if (const auto &force = switches.forceUseGPFHandler) {
        enabled = switchOn(force);
        const char first = force->empty() ? '\0' : (*force)[0];
        if (first == '0' || first == '1' || first == 'F' || first == 'T')
            return enabled;
    }
    if (debuggerAttached && !debuggerOverride)
        return false;
    if (enabled)
        enabled = switchOn(switches.useGPFHandler);
    return enabled;
}

int tracerPidFromStatus(std::string_view statusText)
{
    constexpr std::string_view key = "TracerPid:";
    const std::size_t at = statusText.find(key);
    if (at == std::string_view::npos || (at != 0 && statusText[at - 1] != '\n'))
        return 0;
    return std::atoi(std::string(statusText.substr(at + key.size(), 16)).c_str());
}

bool isDebuggerAttached()
{
    std::ifstream status("/proc/self/status");
    std::ostringstream text;
    text << status.rdbuf();
    return tracerPidFromStatus(text.str()) != 0;
}

bool debuggerOverride()
{
    return envIsOne("VELKOR_GPF_UNDER_DEBUGGER");
}

bool isDeveloperUser()
{
    return envIsOne("VELKOR_DEVELOPER");
}

void faultRule()
{
    if (isDebuggerAttached()) {
        std::raise(SIGTRAP);
        return;
    }
    dumpStackTraceToChannel(kMaxTraceFrames, 1); // from the code that found the fault on
    asm volatile("" ::: "memory");               // keeps this frame (no tail call), so the skip is right
}

} // namespace tbpr::support
