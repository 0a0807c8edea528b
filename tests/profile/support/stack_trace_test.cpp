#include "channel_fixture.h"
#include "support/crash_switch.h"
#include "support/debug_helper.h"
#include "support/module_list.h"
#include "support/stack_trace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <dlfcn.h>
#include <thread>

using namespace tbpr::support;

namespace {

std::vector<std::string> g_trace;

// A known call chain; the calls after the inner call keep them from
// becoming tail calls.
__attribute__((noinline)) void traceLevel3()
{
    g_trace.clear();
    dumpStackTrace(kMaxTraceFrames, [](const std::string &line) { g_trace.push_back(line); });
    asm volatile("" ::: "memory");
}

__attribute__((noinline)) void traceLevel2()
{
    traceLevel3();
    asm volatile("" ::: "memory");
}

__attribute__((noinline)) void traceLevel1()
{
    traceLevel2();
    asm volatile("" ::: "memory");
}

std::size_t lineOf(const std::string &name)
{
    for (std::size_t i = 0; i < g_trace.size(); ++i) {
        if (g_trace[i].find("!" + name + " ") != std::string::npos ||
            g_trace[i].find("!" + name + "()") != std::string::npos)
            return i;
    }
    return std::string::npos;
}

} // namespace

TEST(StackTrace, KnownChainInOrder)
{
    traceLevel1();
    const std::size_t l3 = lineOf("traceLevel3");
    const std::size_t l2 = lineOf("traceLevel2");
    const std::size_t l1 = lineOf("traceLevel1");
    ASSERT_NE(l3, std::string::npos) << ::testing::PrintToString(g_trace);
    ASSERT_NE(l2, std::string::npos);
    ASSERT_NE(l1, std::string::npos);
    EXPECT_LT(l3, l2);
    EXPECT_LT(l2, l1);
    // The innermost frame is the caller of the trace, named with module, file and line.
    EXPECT_EQ(l3, 0u) << g_trace[0];
    EXPECT_NE(g_trace[l3].find("profile_support_stack_trace_test!"), std::string::npos) << g_trace[l3];
    EXPECT_NE(g_trace[l3].find("stack_trace_test.cpp, line "), std::string::npos) << g_trace[l3];
}

TEST(ModuleList, SortedAndIncludesTheLoadedLibrary)
{
#ifdef TBPR14_PATH
    void *library = dlopen(TBPR14_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
#endif
    const auto modules = listModules();
    ASSERT_GE(modules.size(), 3u);
    EXPECT_TRUE(std::is_sorted(modules.begin(), modules.end(),
                               [](const ModuleInfo &a, const ModuleInfo &b) { return a.base < b.base; }));
    auto find = [&](const std::string &name) {
        return std::find_if(modules.begin(), modules.end(),
                            [&](const ModuleInfo &m) { return m.name == name; });
    };
#ifdef TBPR14_PATH
    auto self = find("libtbpr14.so");
    ASSERT_NE(self, modules.end());
    EXPECT_GT(self->size, 0u);
    EXPECT_EQ(self->fileVersion, "<no version info>"); // the library's version is its own to report
#endif
    auto exe = find("profile_support_stack_trace_test");
    ASSERT_NE(exe, modules.end());
    EXPECT_EQ(exe->symbolType, "DWARF"); // built with -g
    EXPECT_EQ(findModule(modules, reinterpret_cast<std::uintptr_t>(&listModules)), &*exe);
#ifdef TBPR14_PATH
    dlclose(library);
#endif
}

TEST(DebugHelper, OneHelperAtATime)
{
    DebugHelpWrapper first;
    ASSERT_TRUE(first.hasHelper());
    EXPECT_TRUE(first.runsOnThread());
    const auto start = std::chrono::steady_clock::now();
    DebugHelpWrapper second;
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_FALSE(second.hasHelper());
    std::vector<StackFrame> frames;
    EXPECT_FALSE(second.stackTrace(captureStackAddresses(10), frames));
    EXPECT_TRUE(frames.empty());
}

TEST(DebugHelper, ModuleListIsBuiltOnceAndReused)
{
    DebugHelpWrapper helper(20);
    std::vector<StackFrame> frames;
    ASSERT_TRUE(helper.stackTrace(captureStackAddresses(20), frames));
    ASSERT_FALSE(frames.empty());
    ASSERT_TRUE(helper.stackTrace(captureStackAddresses(20), frames));
    EXPECT_EQ(helper.moduleListings(), 1);
}

TEST(StackTrace, FaultRuleWritesATraceToTheChannel)
{
    channeltest::ChannelWithViewer setup(true, true);
    setup.drain();
    tbpr::support::faultRule(); // no debugger attached: a trace, not a break
    const auto lines = setup.drain();
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(
        channeltest::textOf(lines[0]).find("!StackTrace_FaultRuleWritesATraceToTheChannel_Test::TestBody()"),
        std::string::npos)
        << lines[0];
}
