#pragma once
// Libraries bound at run time: loaded on first use, each function looked up
// once and then called or skipped. A missing library or function is never an
// error; the caller just does without it.
#include <atomic>
#include <mutex>
#include <string>

namespace tbpr::support {

// A function of a late-loaded library: state 0 not yet looked up, 1 looked up
// and missing, 2 resolved.
struct FunctionSlot {
    int state = 0;
    void *address = nullptr;
};

class LateLoadLibrary {
public:
    // Load error kept when the loader gives no reason.
    static constexpr int kUnknownLoadError = 0x20000000;

    // A library loaded by its plain name.
    explicit LateLoadLibrary(std::string name);
    // One of the maker's siblings: libtb<stem><NN>.so, tried from version
    // highest down to lowest.
    LateLoadLibrary(std::string stem, int highest, int lowest);
    virtual ~LateLoadLibrary();
    LateLoadLibrary(const LateLoadLibrary &) = delete;
    LateLoadLibrary &operator=(const LateLoadLibrary &) = delete;

    // True when loaded; loads now (once) when asked to.
    bool ensureLoaded(bool loadNow);
    // Looks the function up once (plain name, then the name + "A"); true when
    // it is available, with its address in the slot.
    bool available(FunctionSlot &slot, const char *name);

    template <class F> F function(FunctionSlot &slot, const char *name)
    {
        return available(slot, name) ? reinterpret_cast<F>(slot.address) : nullptr;
    }

    int loadError() const;
    std::string loadErrorText() const;
    // Version of the sibling found (0 when none), and whether it was already
    // loaded in the process when it was found.
    int foundVersion() const;
    bool foundLoaded() const;
    // How many times a load was tried (tests check that a missing library is
    // not looked for again).
    int loadAttempts() const { return loadAttempts_.load(); }

protected:
    virtual bool load();
    bool siblingSearch();

    mutable std::recursive_mutex lock_;

private:
    void *handle_ = nullptr;
    int loadError_ = 0;
    std::string loadErrorText_;
    std::string name_;
    std::string stem_;
    int highest_ = 0;
    int lowest_ = 0;
    int foundVersion_ = 0;
    bool foundLoaded_ = false;
    std::atomic<int> loadAttempts_{0};
};

// The file name of a sibling, e.g. ("ut", 14) -> "libtbut14.so".
std::string siblingFileName(const std::string &stem, int version);

} // namespace tbpr::support
