#include "core/retry.h"

#include <atomic>
#include <thread>

namespace tbpr {
namespace {

std::atomic<long long> g_timeoutMs{10000};

} // namespace

std::chrono::milliseconds retryTimeout()
{
    return std::chrono::milliseconds(g_timeoutMs.load(std::memory_order_relaxed));
}

void setRetryTimeout(std::chrono::milliseconds timeout)
{
    g_timeoutMs.store(timeout.count(), std::memory_order_relaxed);
}

void sleepRetryStep()
{
    const auto step = std::min(kRetryStep, std::max(retryTimeout(), std::chrono::milliseconds(1)));
    std::this_thread::sleep_for(step);
}

} // namespace tbpr
