#pragma once
// Symbolic stack traces of the calling thread: addresses captured where the
// trace is asked for, names, files and lines from the debug information.
#include "support/module_list.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tbpr::support {

constexpr int kMaxTraceFrames = 50;

struct StackFrame {
    std::uintptr_t address = 0;
    std::string fullName;            // demangled, with parameters
    std::string nameOnly;            // demangled, cut before "("
    std::uintptr_t displacement = 0; // from the symbol's start, when known
    std::string file;
    int line = 0;
    std::string module; // file name of the module
    std::uintptr_t moduleBase = 0;
};

// Return addresses of the calling thread, innermost first, without the
// capturing function itself and `skip` more frames.
std::vector<std::uintptr_t> captureStackAddresses(int maxFrames, int skip = 0);
// Frames of the addresses (an inlined call gives several frames for one address).
std::vector<StackFrame> symbolise(const std::vector<std::uintptr_t> &addresses,
                                  const std::vector<ModuleInfo> &modules);
// One text line per frame.
std::string describeFrame(const StackFrame &frame);

// The trace of the calling thread, from the caller on (skipping `skip` more
// frames), written through the debug helper; false when no trace was made
// (another trace is running).
bool dumpStackTraceToChannel(int maxFrames, int skip = 0);
bool dumpStackTrace(int maxFrames, const std::function<void(const std::string &)> &output, int skip = 0);

} // namespace tbpr::support
