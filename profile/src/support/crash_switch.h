#pragma once
// Whether the library puts its exports under the utility library's crash
// protection, decided once per process from the switches and a debugger.
#include "support/config_switches.h"

#include <cstdint>
#include <string_view>

namespace tbpr::support {

// The decision: ForceUseGPFHandler first (final when it starts with 0, 1, F or
// T); then an attached debugger turns protection off unless overridden; then
// UseGPFHandler, whose absence means off on this platform.
bool decideCrashHandler(const Switches &switches, bool debuggerAttached, bool debuggerOverride);

// The tracer pid of a /proc/<pid>/status text; 0 when none.
int tracerPidFromStatus(std::string_view statusText);
bool isDebuggerAttached();
// VELKOR_GPF_UNDER_DEBUGGER=1: protection stays on under a debugger.
bool debuggerOverride();
// VELKOR_DEVELOPER=1.
bool isDeveloperUser();

// A fault the library found in its own data: break into an attached
// debugger, otherwise write a stack trace to the channel.
void faultRule();

} // namespace tbpr::support
