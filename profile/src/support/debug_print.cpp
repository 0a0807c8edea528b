#include "support/debug_print.h"

#include "support/debug_channel.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tbpr::support {

namespace {
// Constant-initialised, so it is valid before any constructor runs.
std::atomic<DebugChannel *> g_channel{nullptr};
} // namespace

void setProcessChannel(DebugChannel *channel)
{
    g_channel.store(channel, std::memory_order_release);
}

DebugChannel *processChannel()
{
    return g_channel.load(std::memory_order_acquire);
}

void debugPrintV(int delta, const char *format, va_list args)
{
    if (DebugChannel *channel = processChannel())
        channel->outputV(delta, format, args);
}

void debugPrint(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    debugPrintV(0, format, args);
    va_end(args);
}

void debugPrintIndent(int delta, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    debugPrintV(delta, format, args);
    va_end(args);
}

void systemDebugString(const char *text)
{
    const char *flag = std::getenv("TBPR_DEBUG_STDERR");
    if (flag && std::strcmp(flag, "1") == 0)
        std::fprintf(stderr, "%s\n", text);
}

} // namespace tbpr::support
