#include "support/thread_base.h"

#include "support/debug_print.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <vector>

namespace tbpr::support {

namespace {

// Formatting a diagnostic alone needs more than the 16 KiB the class asks for.
constexpr std::size_t kMinimumStack = 256 * 1024;
constexpr int kStartTimeoutMs = 10000;
constexpr std::size_t kThreadNameMax = 15;
constexpr const char *kThreadNamePrefix = "TBPR14::";

} // namespace

Event::Event() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

Event::~Event()
{
    if (fd_ >= 0)
        close(fd_);
}

void Event::set()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(fd_, &one, sizeof one);
}

void Event::reset()
{
    std::uint64_t value = 0;
    [[maybe_unused]] ssize_t n = read(fd_, &value, sizeof value);
}

bool Event::isSet() const
{
    return wait(0);
}

bool Event::wait(int timeoutMs) const
{
    pollfd p{fd_, POLLIN, 0};
    int rc;
    do {
        rc = poll(&p, 1, timeoutMs);
    } while (rc < 0 && errno == EINTR);
    return rc > 0;
}

// What the worker shares with its owner; it outlives a worker left detached.
struct ThreadBase::Shared {
    Event started;
    Event done;
    std::atomic<bool> finished{false};
    int exitCode = 0;
    ThreadBase *owner = nullptr;
    std::string name;
};

// Threads carry the library's name first, so that they stand out in a debugger.
ThreadBase::ThreadBase(const std::string &name) : name_(std::string(kThreadNamePrefix) + name) {}

ThreadBase::~ThreadBase()
{
    std::lock_guard guard(lock_);
    if (shared_) {
        debugPrint(
            "clsThreadBase(%s)::~clsThreadBase: warning: derived class does not end thread. I do it here "
            "- cross your fingers that the derived class does not access any members in the thread "
            "function!!!",
            name_.c_str());
        threadEnd(1000);
    }
}

void *ThreadBase::entry(void *arg)
{
    std::shared_ptr<Shared> shared(*static_cast<std::shared_ptr<Shared> *>(arg));
    delete static_cast<std::shared_ptr<Shared> *>(arg);
    if (!shared->name.empty())
        pthread_setname_np(pthread_self(), shared->name.substr(0, kThreadNameMax).c_str());
    ThreadBase *owner = shared->owner;
    shared->started.set();
    shared->exitCode = owner->threadFunc();
    shared->finished = true;
    shared->done.set();
    return nullptr;
}

bool ThreadBase::threadStart()
{
    std::lock_guard guard(lock_);
    if (threadState() == Ended) {
        pthread_join(thread_, nullptr);
        shared_.reset();
    }
    if (shared_)
        return true;
    auto shared = std::make_shared<Shared>();
    shared->owner = this;
    shared->name = name_;
    starterTid_ = gettid();
    stop_.reset();
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, std::max(stackSize(), kMinimumStack));
    auto *arg = new std::shared_ptr<Shared>(shared);
    const int rc = pthread_create(&thread_, &attr, &ThreadBase::entry, arg);
    pthread_attr_destroy(&attr);
    if (rc != 0) {
        delete arg;
        debugPrint("clsThreadBase(%s)::ThreadStart: Cannot create thread", name_.c_str());
        return false;
    }
    shared_ = shared;
    if (!shared->started.wait(kStartTimeoutMs)) {
        debugPrint("clsThreadBase(%s)::ThreadStart: WaitForSingleObject() failed", name_.c_str());
        return false;
    }
    return true;
}

void ThreadBase::threadEnd(int timeoutMs)
{
    std::unique_lock guard(lock_);
    if (!shared_)
        return;
    std::shared_ptr<Shared> shared = shared_;
    stop_.set();
    guard.unlock(); // the worker may need the lock to finish
    const bool ended = shared->done.wait(timeoutMs);
    guard.lock();
    if (ended) {
        pthread_join(thread_, nullptr);
    } else {
        debugPrint(
            "clsThreadBase(%s)::ThreadEnd(): warning: thread did not end within %d ms and is left running",
            name_.c_str(), timeoutMs);
        pthread_detach(thread_);
    }
    shared_.reset();
}

ThreadBase::State ThreadBase::threadState()
{
    std::lock_guard guard(lock_);
    if (!shared_)
        return NoThread;
    return shared_->finished ? Ended : Running;
}

bool ThreadBase::waitForStopOrObjects(int timeoutMs, int &index, std::initializer_list<int> fds)
{
    index = -2;
    std::vector<pollfd> set;
    set.push_back({stop_.fd(), POLLIN, 0});
    for (const int fd : fds)
        set.push_back({fd, POLLIN, 0});
    int rc;
    do {
        rc = poll(set.data(), set.size(), timeoutMs);
    } while (rc < 0 && errno == EINTR);
    if (rc == 0) {
        index = -1;
        return true;
    }
    if (rc < 0)
        return true;
    for (std::size_t i = 0; i < set.size(); ++i) {
        if (set[i].revents & (POLLIN | POLLERR | POLLHUP)) {
            index = int(i) - 1;
            return i != 0;
        }
    }
    return true;
}

} // namespace tbpr::support
