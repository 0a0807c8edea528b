#include "core/hooks.h"

#include "core/format.h"

#include <atomic>
#include <cstdarg>
#include <string>

namespace tbpr::hooks {
namespace {

std::atomic<DiagnosticSink> g_sink{nullptr};

struct Protection {
    ProtectionCall start;
    ProtectionCall end;
};
std::atomic<const Protection *> g_protection{nullptr};

} // namespace

void setDiagnosticSink(DiagnosticSink sink)
{
    g_sink.store(sink, std::memory_order_release);
}

void diagnostic(const char *fmt, ...)
{
    DiagnosticSink sink = g_sink.load(std::memory_order_acquire);
    if (!sink || !fmt)
        return;
    va_list args;
    va_start(args, fmt);
    std::string line;
    try {
        line = formatV(fmt, args);
    } catch (...) {
        va_end(args);
        return;
    }
    va_end(args);
    sink(line.c_str());
}

void setProtection(ProtectionCall start, ProtectionCall end)
{
    // Installed at start-up and removed at shutdown. The pairs live in static
    // slots, so a concurrent export never sees a freed or torn pair.
    static Protection slots[8];
    static std::atomic<unsigned> nextSlot{0};
    const Protection *next = nullptr;
    if (start || end) {
        Protection &slot = slots[nextSlot.fetch_add(1) % 8];
        slot = Protection{start, end};
        next = &slot;
    }
    g_protection.store(next, std::memory_order_release);
}

ProtectionScope::ProtectionScope() : end_(nullptr)
{
    const Protection *p = g_protection.load(std::memory_order_acquire);
    if (!p)
        return;
    if (p->start)
        p->start();
    end_ = p->end;
}

ProtectionScope::~ProtectionScope()
{
    if (end_)
        end_();
}

} // namespace tbpr::hooks
