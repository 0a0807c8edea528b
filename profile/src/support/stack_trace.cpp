#include "support/stack_trace.h"

#include "support/debug_helper.h"
#include "support/debug_print.h"

#if TBPR_HAVE_LIBBACKTRACE
#include <backtrace.h>
#else
#include <execinfo.h>
#endif
#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <dlfcn.h>
#include <mutex>

namespace tbpr::support {

namespace {

#if TBPR_HAVE_LIBBACKTRACE
void ignoreError(void *, const char *, int) {}

// libbacktrace keeps its state for the life of the process; it cannot be freed.
backtrace_state *traceState()
{
    static std::once_flag once;
    static backtrace_state *state = nullptr;
    std::call_once(once, [] { state = backtrace_create_state(nullptr, 1, &ignoreError, nullptr); });
    return state;
}

struct Capture {
    std::vector<std::uintptr_t> *addresses;
    int skip;
    int max;
};

int collectAddress(void *data, std::uintptr_t pc)
{
    auto &capture = *static_cast<Capture *>(data);
    if (capture.skip > 0) {
        --capture.skip;
        return 0;
    }
    if (pc == 0 || pc == UINTPTR_MAX) // the end of the chain
        return 1;
    capture.addresses->push_back(pc);
    return int(capture.addresses->size()) >= capture.max ? 1 : 0;
}

void collectSymbol(void *data, std::uintptr_t, const char *, std::uintptr_t value, std::uintptr_t)
{
    *static_cast<std::uintptr_t *>(data) = value;
}
#endif

std::string demangle(const char *name)
{
    int status = 0;
    char *demangled = abi::__cxa_demangle(name, nullptr, nullptr, &status);
    if (!demangled)
        return name;
    std::string result(demangled);
    std::free(demangled);
    return result;
}

std::string cutParameters(const std::string &name)
{
    const std::size_t paren = name.find('(');
    return paren == std::string::npos ? name : name.substr(0, paren);
}

#if TBPR_HAVE_LIBBACKTRACE
struct Lookup {
    std::vector<StackFrame> *frames;
    std::uintptr_t address;
};

int collectFrame(void *data, std::uintptr_t, const char *file, int line, const char *function)
{
    auto &lookup = *static_cast<Lookup *>(data);
    StackFrame frame;
    frame.address = lookup.address;
    if (function)
        frame.fullName = demangle(function);
    if (file)
        frame.file = file;
    frame.line = line;
    lookup.frames->push_back(std::move(frame));
    return 0;
}
#endif

} // namespace

std::vector<std::uintptr_t> captureStackAddresses(int maxFrames, int skip)
{
    std::vector<std::uintptr_t> addresses;
    if (maxFrames <= 0)
        return addresses;
#if TBPR_HAVE_LIBBACKTRACE
    Capture capture{&addresses, skip, maxFrames};
    if (backtrace_state *state = traceState())
        backtrace_simple(state, 1, &collectAddress, &ignoreError, &capture);
#else
    // Without libbacktrace (a compiler other than gcc): glibc's unwinder. Its first frame is this
    // function; names then come from the dynamic symbol table only, with no files and lines.
    std::vector<void *> raw(std::size_t(maxFrames) + std::size_t(std::max(skip, 0)) + 1);
    const int count = ::backtrace(raw.data(), int(raw.size()));
    for (int i = 1 + std::max(skip, 0); i < count; ++i)
        addresses.push_back(reinterpret_cast<std::uintptr_t>(raw[std::size_t(i)]));
#endif
    return addresses;
}

std::vector<StackFrame> symbolise(const std::vector<std::uintptr_t> &addresses,
                                  const std::vector<ModuleInfo> &modules)
{
    std::vector<StackFrame> frames;
#if TBPR_HAVE_LIBBACKTRACE
    backtrace_state *state = traceState();
#endif
    for (const std::uintptr_t address : addresses) {
        const std::size_t first = frames.size();
#if TBPR_HAVE_LIBBACKTRACE
        Lookup lookup{&frames, address};
        if (state)
            backtrace_pcinfo(state, address, &collectFrame, &ignoreError, &lookup);
#endif
        if (frames.size() == first) {
            StackFrame unknown;
            unknown.address = address;
            frames.push_back(std::move(unknown));
        }
        Dl_info info{};
        const bool known = dladdr(reinterpret_cast<void *>(address), &info) != 0;
        const ModuleInfo *module = findModule(modules, address);
        for (std::size_t i = first; i < frames.size(); ++i) {
            StackFrame &frame = frames[i];
            if (frame.fullName.empty() && known && info.dli_sname)
                frame.fullName = demangle(info.dli_sname);
            frame.nameOnly = cutParameters(frame.fullName);
            if (i == frames.size() - 1) {
                // The symbol table also knows functions the dynamic one leaves out.
                std::uintptr_t start = known ? reinterpret_cast<std::uintptr_t>(info.dli_saddr) : 0;
#if TBPR_HAVE_LIBBACKTRACE
                if (state)
                    backtrace_syminfo(state, address, &collectSymbol, &ignoreError, &start);
#endif
                if (start != 0 && start <= address)
                    frame.displacement = address - start;
            }
            if (module) {
                frame.module = module->name;
                frame.moduleBase = module->base;
            } else if (known && info.dli_fname) {
                const std::string path = info.dli_fname;
                frame.module = path.substr(path.rfind('/') + 1);
                frame.moduleBase = reinterpret_cast<std::uintptr_t>(info.dli_fbase);
            } else {
                frame.module = "?";
            }
        }
    }
    return frames;
}

std::string describeFrame(const StackFrame &frame)
{
    std::string linePart;
    if (!frame.file.empty())
        linePart = "  (" + frame.file + ", line " + std::to_string(frame.line) + ")";
    char head[96];
    std::string text;
    if (!frame.fullName.empty()) {
        std::snprintf(head, sizeof head, "[0x%016" PRIxPTR "] ", frame.address);
        char tail[48];
        std::snprintf(tail, sizeof tail, " + 0x%016" PRIxPTR " ", frame.displacement);
        text = head + frame.module + "!" + frame.fullName + tail + linePart;
    } else {
        std::snprintf(head, sizeof head, "[0x%016" PRIxPTR "] ", frame.address);
        char tail[48];
        std::snprintf(tail, sizeof tail, "!+0x%016" PRIxPTR " ", frame.address - frame.moduleBase);
        text = head + frame.module + tail + linePart;
    }
    return text;
}

bool dumpStackTrace(int maxFrames, const std::function<void(const std::string &)> &output, int skip)
{
    DebugHelpWrapper helper(maxFrames);
    if (!helper.hasHelper())
        return false;
    std::vector<StackFrame> frames;
    // Skip this function: the trace starts at its caller.
    if (!helper.stackTrace(captureStackAddresses(maxFrames, 1 + skip), frames))
        return false;
    for (const auto &frame : frames)
        output(describeFrame(frame));
    return true;
}

bool dumpStackTraceToChannel(int maxFrames, int skip)
{
    return dumpStackTrace(
        maxFrames, [](const std::string &line) { debugPrint("%s", line.c_str()); }, skip + 1);
}

} // namespace tbpr::support
