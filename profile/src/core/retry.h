#pragma once
// The retry rule for sharing violations and byte-range locks: every 100 ms
// until the time-out (10 s) has passed. Tests shorten the time-out.
#include <algorithm>
#include <chrono>

namespace tbpr {

std::chrono::milliseconds retryTimeout();
void setRetryTimeout(std::chrono::milliseconds timeout);
inline constexpr std::chrono::milliseconds kRetryStep{100};

// Calls attempt until it returns true or the time-out has passed (at least
// once); the result of the last attempt.
void sleepRetryStep();

template <typename Attempt> bool retryUntilTimeout(Attempt attempt)
{
    const auto deadline = std::chrono::steady_clock::now() + retryTimeout();
    for (;;) {
        if (attempt())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        sleepRetryStep();
    }
}

} // namespace tbpr
