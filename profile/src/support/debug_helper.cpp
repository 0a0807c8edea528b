#include "support/debug_helper.h"

#include "support/debug_print.h"
#include "support/lengthy_op.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace tbpr::support {

namespace {

// Only one helper works at a time; a second one asking gives up after 100 ms.
std::mutex &helperMutex()
{
    static std::mutex mutex;
    return mutex;
}

constexpr auto kHelperWait = std::chrono::milliseconds(100);
constexpr auto kHelperPoll = std::chrono::milliseconds(5);

// A timed try by polling: timed locks are not understood by the thread
// sanitizer, and a trace is rare enough for the small delay.
bool acquireHelper()
{
    const auto deadline = std::chrono::steady_clock::now() + kHelperWait;
    for (;;) {
        if (helperMutex().try_lock())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kHelperPoll);
    }
}

} // namespace

bool DebugHelpWrapper::Helper::loadModules()
{
    if (!modules.empty())
        return true;
    ++listings;
    modules = listModules();
    return !modules.empty();
}

DebugHelpWrapper::DebugHelpWrapper(int maxFrames)
    : ThreadBase("DebugHelp::clsDBGHelpWrapper"), maxFrames_(maxFrames)
{
    if (!acquireHelper())
        return;
    ownsMutex_ = true;
    if (!threadStart()) {
        debugPrint("problem running thread (usually the GPF happened in an allocator...)");
        runsOnThread_ = false;
        threadEnd(1000);
    }
    run(Request::Acquire);
}

DebugHelpWrapper::~DebugHelpWrapper()
{
    if (!ownsMutex_)
        return;
    run(Request::Release);
    threadEnd(kInfinite);
    helperMutex().unlock();
}

int DebugHelpWrapper::moduleListings() const
{
    return helper_ ? helper_->listings : 0;
}

bool DebugHelpWrapper::run(Request request)
{
    code_ = request;
    if (runsOnThread_ && threadState() == Running) {
        request_.set();
        done_.wait(kInfinite);
        done_.reset();
    } else {
        result_ = execute(request);
    }
    return result_;
}

int DebugHelpWrapper::threadFunc()
{
    int index = 0;
    while (waitForStopOrObjects(kInfinite, index, {request_.fd()})) {
        if (index != 0)
            continue;
        request_.reset();
        result_ = execute(code_);
        done_.set();
    }
    return 0;
}

bool DebugHelpWrapper::execute(Request request)
{
    switch (request) {
    case Request::Acquire:
        helper_ = std::make_unique<Helper>();
        return true;
    case Request::Release:
        helper_.reset();
        return true;
    case Request::Trace:
        return trace();
    }
    return false;
}

bool DebugHelpWrapper::stackTrace(const std::vector<std::uintptr_t> &addresses,
                                  std::vector<StackFrame> &frames)
{
    if (!helper_)
        return false;
    addresses_ = &addresses;
    frames_ = &frames;
    return run(Request::Trace);
}

bool DebugHelpWrapper::trace()
{
    if (!helper_)
        return false;
    ProgressSettings settings;
    settings.showDialog = runsOnThread_;
    LengthyOpCond progress(settings);
    progress.setStep(1, "");
    helper_->loadModules();
    progress.setStep(2, "Stack Trace:");
    const std::size_t count = std::min<std::size_t>(addresses_->size(), std::size_t(maxFrames_));
    frames_->clear();
    for (std::size_t i = 0; i < count; ++i) {
        progress.setText(
            "Frame " + std::to_string(i) + "\nplease be patient, this can take several minutes...", -1);
        const auto frames = symbolise({(*addresses_)[i]}, helper_->modules);
        frames_->insert(frames_->end(), frames.begin(), frames.end());
        progress.setPerc(int(100 * i / count));
    }
    return !frames_->empty();
}

} // namespace tbpr::support
