#pragma once
// Access to the library's process-wide state; null (and every call a no-op)
// outside the loaded library, e.g. in tests of the parts.
#include <cstdint>

namespace tbpr::support {

struct LibraryState;

LibraryState *libraryState();
void setLibraryState(LibraryState *state);

// The job the utility library returned at load; 0 means no protection.
std::intptr_t protectionJob();
// The protection bracket around an export.
void startProtection();
void endProtection();

// Runs the control library's search once and returns the version found (14
// when none).
int ensureControlLibraryVersion();

} // namespace tbpr::support
