#pragma once
// Worker threads of the crash diagnostics, and the events they wait on.
#include <initializer_list>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <string>
#include <sys/types.h>

namespace tbpr::support {

// A manual-reset event on an eventfd, so that it can be polled with others.
class Event {
public:
    Event();
    ~Event();
    Event(const Event &) = delete;
    Event &operator=(const Event &) = delete;

    void set();
    void reset();
    bool isSet() const;
    // True when set within the time-out (-1: no limit).
    bool wait(int timeoutMs) const;
    int fd() const { return fd_; }

private:
    int fd_;
};

class ThreadBase {
public:
    enum State { NoThread = 0, Running = 1, Ended = 3 };
    static constexpr int kInfinite = -1;

    explicit ThreadBase(const std::string &name);
    virtual ~ThreadBase();
    ThreadBase(const ThreadBase &) = delete;
    ThreadBase &operator=(const ThreadBase &) = delete;

    // Starts a fresh thread (after an ended one too); true when one runs.
    bool threadStart();
    // Signals stop and waits; a worker still running after the time-out is
    // left detached with a warning (there is no safe way to kill a thread).
    void threadEnd(int timeoutMs);
    State threadState();
    const std::string &name() const { return name_; }

protected:
    virtual int threadFunc() { return 0; }
    virtual std::size_t stackSize() const { return 16384; }
    // Waits for the stop event or one of the fds: false (index -1) on stop;
    // true with index 0..n-1 for an fd, -1 on time-out, -2 on failure.
    bool waitForStopOrObjects(int timeoutMs, int &index, std::initializer_list<int> fds);
    bool stopRequested() const { return stop_.isSet(); }

private:
    struct Shared;
    static void *entry(void *arg);

    std::recursive_mutex lock_;
    std::shared_ptr<Shared> shared_;
    pthread_t thread_{};
    pid_t starterTid_ = 0;
    Event stop_;
    std::string name_;
};

} // namespace tbpr::support
