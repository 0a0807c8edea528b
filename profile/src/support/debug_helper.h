#pragma once
// The debug helper: one at a time in the process, it lists the modules (once
// per helper) and turns captured addresses into frames on a worker thread of
// its own, so that a trace asked for from a damaged thread runs on a clean
// stack.
#include "support/module_list.h"
#include "support/stack_trace.h"
#include "support/thread_base.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tbpr::support {

class DebugHelpWrapper : public ThreadBase {
public:
    // Waits up to 100 ms for the helper; without it every request fails.
    explicit DebugHelpWrapper(int maxFrames = 20);
    ~DebugHelpWrapper() override;

    bool hasHelper() const { return helper_ != nullptr; }
    bool runsOnThread() const { return runsOnThread_; }
    // Frames of the addresses; false without a helper.
    bool stackTrace(const std::vector<std::uintptr_t> &addresses, std::vector<StackFrame> &frames);
    // How often this helper listed the modules.
    int moduleListings() const;

protected:
    int threadFunc() override;
    std::size_t stackSize() const override { return 16384; }

private:
    enum class Request { Acquire, Release, Trace };
    struct Helper {
        std::vector<ModuleInfo> modules;
        int listings = 0;
        bool loadModules();
    };

    bool run(Request request);
    bool execute(Request request);
    bool trace();

    Event request_;
    Event done_;
    bool runsOnThread_ = true;
    bool ownsMutex_ = false;
    int maxFrames_;
    std::unique_ptr<Helper> helper_;
    Request code_ = Request::Acquire;
    bool result_ = false;
    const std::vector<std::uintptr_t> *addresses_ = nullptr;
    std::vector<StackFrame> *frames_ = nullptr;
};

} // namespace tbpr::support
