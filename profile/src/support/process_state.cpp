#include "support/process_state.h"

#include "support/library_state.h"

#include <atomic>

namespace tbpr::support {

namespace {
std::atomic<LibraryState *> g_state{nullptr};
} // namespace

LibraryState *libraryState()
{
    return g_state.load(std::memory_order_acquire);
}

void setLibraryState(LibraryState *state)
{
    g_state.store(state, std::memory_order_release);
}

std::intptr_t protectionJob()
{
    const LibraryState *state = libraryState();
    return state ? state->protectionJob : 0;
}

void startProtection()
{
    if (LibraryState *state = libraryState(); state && state->protectionJob != 0)
        state->utility.startProtection(state->protectionJob);
}

void endProtection()
{
    if (LibraryState *state = libraryState(); state && state->protectionJob != 0)
        state->utility.endProtection(state->protectionJob);
}

int ensureControlLibraryVersion()
{
    if (LibraryState *state = libraryState())
        std::call_once(state->controlOnce, [state] { state->control.ensureLoaded(true); });
    return controlLibraryVersion();
}

} // namespace tbpr::support
