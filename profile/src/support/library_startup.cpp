// Load and unload of the library: the one place that builds and tears down
// its process-wide state. Nothing references this file; the shared library
// links the implementation archive whole so that it stays in.
#include "core/code_page.h"
#include "core/hooks.h"
#include "core/process_environment.h"
#include "support/crash_switch.h"
#include "support/debug_print.h"
#include "support/library_state.h"
#include "support/library_version.h"
#include "support/process_state.h"

#include <cctype>
#include <cstring>
#include <fstream>
#include <sys/resource.h>

namespace tbpr::support {

namespace {

constexpr rlim_t kLowStackLimit = 0x10000;

// "libtbpr14" -> "TBPR14"
std::string moduleName(const std::string &baseName)
{
    std::string name = baseName.rfind("lib", 0) == 0 ? baseName.substr(3) : baseName;
    for (char &c : name)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return name.empty() ? "TBPR14" : name;
}

void channelSink(const char *line)
{
    debugPrint("%s", line);
}

std::size_t codePageCharLength(const char *p)
{
    return tbpr::currentCodePage().charLength(p);
}

void checkHostImage(const std::string &hostPath)
{
    std::ifstream exe("/proc/self/exe", std::ios::binary);
    char magic[4] = {};
    if (!exe.read(magic, sizeof magic) || std::memcmp(magic,
                                                      "\x7f"
                                                      "ELF",
                                                      4) != 0) {
        debugPrint(" bad ELF signature!");
        return;
    }
    rlimit limit{};
    if (getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        limit.rlim_cur < kLowStackLimit)
        debugPrint(
            "WRN: reserved stack size of app '%s' is %x bytes, which is possibly too low! If you observe "
            "strange crashes, try to increase this value.",
            hostPath.c_str(), unsigned(limit.rlim_cur));
}

__attribute__((constructor)) void libraryLoad()
{
    try {
        auto *state = new LibraryState;
        const ProcessEnvironment &environment = InitProcessEnvironment();
        state->switches = readProcessSwitches();
        const std::string name = moduleName(environment.libraryBaseName);
        state->channel =
            std::make_unique<DebugChannel>(logspyRuntimeDir(),
                                           ChannelIdentity{name, name + " " + kLibraryFileVersion,
                                                           environment.hostPath, environment.libraryPath},
                                           switchOn(state->switches.forceUsePerfCounters));
        state->crashHandlerEnabled =
            decideCrashHandler(state->switches, isDebuggerAttached(), debuggerOverride());
        if (state->crashHandlerEnabled)
            state->utility.jobOpen(state->protectionJob);
        setLibraryState(state);
        hooks::setProtection(&startProtection, &endProtection);

        // Attach: the channel first, so that the start-up checks can report.
        state->channel->setCharLength(&codePageCharLength);
        setProcessChannel(state->channel.get());
        hooks::setDiagnosticSink(&channelSink);
        state->channel->attachAtLoad();
        checkHostImage(environment.hostPath);
    } catch (...) {
        // The library never refuses to load; it runs without its extras.
    }
}

__attribute__((destructor)) void libraryUnload()
{
    LibraryState *state = libraryState();
    if (!state)
        return;
    try {
        state->channel->detach();
    } catch (...) {
    }
    hooks::setDiagnosticSink(nullptr);
    setProcessChannel(nullptr);
    hooks::setProtection(nullptr, nullptr);
    setLibraryState(nullptr);
    if (state->protectionJob != 0)
        state->utility.jobClose(state->protectionJob);
    delete state;
}

} // namespace

} // namespace tbpr::support
