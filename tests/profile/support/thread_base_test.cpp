#include "support/thread_base.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>

using namespace tbpr::support;

namespace {

class Counter : public ThreadBase {
public:
    Counter() : ThreadBase("Counter") {}
    ~Counter() override { threadEnd(kInfinite); }
    std::atomic<int> runs{0};

protected:
    int threadFunc() override
    {
        ++runs;
        return 0;
    }
};

class Waiter : public ThreadBase {
public:
    Waiter() : ThreadBase("Waiter") {}
    ~Waiter() override { threadEnd(kInfinite); }
    Event handle;
    std::atomic<int> index{99};
    std::atomic<int> result{-1};
    int timeoutMs = ThreadBase::kInfinite;

protected:
    int threadFunc() override
    {
        int i = 0;
        result = waitForStopOrObjects(timeoutMs, i, {handle.fd()});
        index = i;
        return 0;
    }
};

// Never looks at its stop event.
class Stubborn : public ThreadBase {
public:
    explicit Stubborn(std::shared_ptr<Event> release) : ThreadBase("Stubborn"), release_(std::move(release))
    {
    }

protected:
    int threadFunc() override
    {
        auto release = release_;
        release->wait(5000);
        return 0;
    }

private:
    std::shared_ptr<Event> release_;
};

} // namespace

TEST(ThreadBase, RestartAfterEndGivesAFreshThread)
{
    Counter counter;
    counter.threadEnd(100); // no thread: nothing happens
    EXPECT_EQ(counter.threadState(), ThreadBase::NoThread);
    EXPECT_EQ(counter.name(), "TBPR14::Counter");
    ASSERT_TRUE(counter.threadStart());
    for (int i = 0; i < 200 && counter.threadState() != ThreadBase::Ended; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(counter.threadState(), ThreadBase::Ended);
    ASSERT_TRUE(counter.threadStart());
    counter.threadEnd(ThreadBase::kInfinite);
    EXPECT_EQ(counter.runs.load(), 2);
    EXPECT_EQ(counter.threadState(), ThreadBase::NoThread);
}

TEST(ThreadBase, WaitForStopOrObjects)
{
    {
        Waiter stop;
        ASSERT_TRUE(stop.threadStart());
        stop.threadEnd(ThreadBase::kInfinite);
        EXPECT_EQ(stop.result.load(), 0);
        EXPECT_EQ(stop.index.load(), -1);
    }
    {
        Waiter handle;
        handle.handle.set();
        ASSERT_TRUE(handle.threadStart());
        // Ended before the stop event is set: a set stop event would come first.
        for (int i = 0; i < 200 && handle.threadState() != ThreadBase::Ended; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        handle.threadEnd(ThreadBase::kInfinite);
        EXPECT_EQ(handle.result.load(), 1);
        EXPECT_EQ(handle.index.load(), 0);
    }
    {
        Waiter timeout;
        timeout.timeoutMs = 10;
        ASSERT_TRUE(timeout.threadStart());
        for (int i = 0; i < 200 && timeout.threadState() != ThreadBase::Ended; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        timeout.threadEnd(ThreadBase::kInfinite);
        EXPECT_EQ(timeout.result.load(), 1);
        EXPECT_EQ(timeout.index.load(), -1);
    }
}

TEST(ThreadBase, WorkerIgnoringStopIsLeftAfterTheTimeOut)
{
    auto release = std::make_shared<Event>();
    Stubborn stubborn(release);
    ASSERT_TRUE(stubborn.threadStart());
    const auto start = std::chrono::steady_clock::now();
    stubborn.threadEnd(100);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(100));
    EXPECT_LT(waited, std::chrono::milliseconds(2000));
    EXPECT_EQ(stubborn.threadState(), ThreadBase::NoThread);
    release->set(); // let the detached worker finish
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}
