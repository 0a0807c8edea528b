#include "support/late_load.h"

#include <cstdio>
#include <dlfcn.h>

namespace tbpr::support {

std::string siblingFileName(const std::string &stem, int version)
{
    char name[64];
    std::snprintf(name, sizeof name, "libtb%s%02d.so", stem.c_str(), version);
    return name;
}

LateLoadLibrary::LateLoadLibrary(std::string name) : name_(std::move(name)) {}

LateLoadLibrary::LateLoadLibrary(std::string stem, int highest, int lowest)
    : stem_(std::move(stem)), highest_(highest), lowest_(lowest)
{
}

LateLoadLibrary::~LateLoadLibrary()
{
    std::lock_guard guard(lock_);
    if (handle_)
        dlclose(handle_);
    handle_ = nullptr;
    loadError_ = 0;
}

bool LateLoadLibrary::ensureLoaded(bool loadNow)
{
    std::lock_guard guard(lock_);
    if (handle_)
        return true;
    if (!loadNow)
        return false;
    return load();
}

bool LateLoadLibrary::load()
{
    std::lock_guard guard(lock_);
    if (handle_)
        return true;
    if (!stem_.empty())
        return siblingSearch();
    ++loadAttempts_;
    loadError_ = 0;
    handle_ = dlopen(name_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char *why = dlerror();
        loadErrorText_ = why ? why : "";
        loadError_ = kUnknownLoadError;
    }
    return handle_ != nullptr;
}

bool LateLoadLibrary::siblingSearch()
{
    std::lock_guard guard(lock_);
    if (handle_)
        return true;
    ++loadAttempts_;
    loadError_ = 0;
    // A sibling the host already loaded wins over a newer one on the path;
    // RTLD_NOLOAD still takes a reference of our own.
    for (int pass = 0; pass < 2 && !handle_; ++pass) {
        const int mode = pass == 0 ? RTLD_NOW | RTLD_NOLOAD : RTLD_NOW | RTLD_LOCAL;
        for (int version = highest_; version >= lowest_; --version) {
            handle_ = dlopen(siblingFileName(stem_, version).c_str(), mode);
            if (handle_) {
                foundVersion_ = version;
                foundLoaded_ = pass == 0;
                break;
            }
        }
    }
    if (!handle_) {
        const char *why = dlerror();
        loadErrorText_ = why ? why : "";
        loadError_ = kUnknownLoadError;
        return false;
    }
    name_.clear();
    return true;
}

bool LateLoadLibrary::available(FunctionSlot &slot, const char *name)
{
    std::lock_guard guard(lock_);
    if (slot.state != 0)
        return slot.state == 2;
    if (!handle_) {
        // A load that failed once is not tried again.
        if (loadError_ == 0)
            ensureLoaded(true);
        if (!handle_) {
            slot.state = 1;
            return false;
        }
    }
    slot.state = 1;
    void *address = dlsym(handle_, name);
    if (!address)
        address = dlsym(handle_, (std::string(name) + "A").c_str());
    if (address) {
        slot.address = address;
        slot.state = 2;
    }
    return slot.state == 2;
}

int LateLoadLibrary::loadError() const
{
    std::lock_guard guard(lock_);
    return loadError_;
}

std::string LateLoadLibrary::loadErrorText() const
{
    std::lock_guard guard(lock_);
    return loadErrorText_;
}

int LateLoadLibrary::foundVersion() const
{
    std::lock_guard guard(lock_);
    return foundVersion_;
}

bool LateLoadLibrary::foundLoaded() const
{
    std::lock_guard guard(lock_);
    return foundLoaded_;
}

} // namespace tbpr::support
