#include "support/sibling_libraries.h"

#include <atomic>

namespace tbpr::support {

namespace {
std::atomic<int> g_controlVersion{kSiblingLowestVersion};
} // namespace

int controlLibraryVersion()
{
    return g_controlVersion.load();
}

void setControlLibraryVersion(int version)
{
    g_controlVersion.store(version);
}

bool UtilityLibrary::jobOpen(std::intptr_t &job)
{
    auto open = function<UtilExHandlerJobOpenFn>(jobOpen_, "UtilExHandlerJobOpen");
    if (!open)
        return false;
    job = open();
    return true;
}

bool UtilityLibrary::jobClose(std::intptr_t job)
{
    auto close = function<UtilExHandlerJobCloseFn>(jobClose_, "UtilExHandlerJobClose");
    if (close)
        close(job);
    return close != nullptr;
}

bool UtilityLibrary::startProtection(std::intptr_t job)
{
    auto start = function<UtilExHandlerStartProtectionFn>(start_, "UtilExHandlerStartProtection");
    if (start)
        start(job);
    return start != nullptr;
}

bool UtilityLibrary::endProtection(std::intptr_t job)
{
    auto end = function<UtilExHandlerEndProtectionFn>(end_, "UtilExHandlerEndProtection");
    if (end)
        end(job);
    return end != nullptr;
}

bool ControlLibrary::load()
{
    std::lock_guard guard(lock_);
    if (!siblingSearch())
        return false;
    setControlLibraryVersion(foundVersion());
    if (!foundLoaded()) {
        if (auto open = function<CtlJobOpenFn>(jobOpen_, "CtlJobOpen")) {
            open();
            jobOpened_ = true;
        }
    }
    return true;
}

ControlLibrary::~ControlLibrary()
{
    if (jobOpened_) {
        if (auto close = function<CtlJobCloseFn>(jobClose_, "CtlJobClose"))
            close();
    }
}

} // namespace tbpr::support
