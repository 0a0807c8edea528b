#pragma once
// The maker's sibling libraries that the library itself binds: the utility
// library (crash-handler job and protection) and the control library.
#include "support/late_load.h"
#include "support/sibling_abi.h"

#include <cstdint>

namespace tbpr::support {

constexpr int kSiblingHighestVersion = 20;
constexpr int kSiblingLowestVersion = 14;

class UtilityLibrary : public LateLoadLibrary {
public:
    UtilityLibrary() : LateLoadLibrary("ut", kSiblingHighestVersion, kSiblingLowestVersion) {}

    // Each returns false when the function is not available.
    bool jobOpen(std::intptr_t &job);
    bool jobClose(std::intptr_t job);
    bool startProtection(std::intptr_t job);
    bool endProtection(std::intptr_t job);

private:
    FunctionSlot jobOpen_, jobClose_, start_, end_;
};

class ControlLibrary : public LateLoadLibrary {
public:
    ControlLibrary() : LateLoadLibrary("ct", kSiblingHighestVersion, kSiblingLowestVersion) {}
    ~ControlLibrary() override;

protected:
    // The sibling search; a library this wrapper loaded itself gets a job.
    bool load() override;

private:
    FunctionSlot jobOpen_, jobClose_;
    bool jobOpened_ = false;
};

// The version of the control library found by the process's control
// wrapper; 14 until one was found.
int controlLibraryVersion();
void setControlLibraryVersion(int version);

} // namespace tbpr::support
