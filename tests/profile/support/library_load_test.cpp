// Loading and unloading the shared library in child processes: start-up and
// shutdown order, the utility job, the channel's enter and leave lines.
#include "fake_log.h"
#include "support/logspy_runtime.h"
#include "tbpr14.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <functional>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using tbpr::support::LogspyViewer;

extern char **environ;

namespace {

// Which siblings the loader can find in this run ("none" or "ut14").
bool siblingsAre(const char *which)
{
    const char *value = std::getenv("TBPR_TEST_SIBLINGS");
    return value && std::string(value) == which;
}

// Runs body in a child that loads the library, then unloads it and runs
// afterUnload; returns the child's exit code (80 when the library stayed loaded).
int inChild(
    const std::function<int(void *library)> &body, const std::function<int()> &afterUnload = [] { return 0; })
{
    const pid_t child = fork();
    if (child == 0) {
        void *library = dlopen(TBPR14_PATH, RTLD_NOW | RTLD_LOCAL);
        if (!library)
            _exit(90);
        int code = body(library);
        dlclose(library);
        if (dlopen(TBPR14_PATH, RTLD_NOW | RTLD_NOLOAD))
            _exit(80);
        if (code == 0)
            code = afterUnload();
        _exit(code);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

struct Runtime {
    testsupport::TempDir temp;
    Runtime()
    {
        setenv("XDG_RUNTIME_DIR", temp.str().c_str(), 1);
        setenv("XDG_CONFIG_HOME", temp.str().c_str(), 1);
    }
    ~Runtime()
    {
        unsetenv("XDG_RUNTIME_DIR");
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("VELKOR_USEGPFHANDLER");
    }
    std::string dir() const { return temp.str() + "/logspy"; }
};

std::vector<std::string> received(LogspyViewer &viewer)
{
    std::vector<std::string> lines;
    while (auto line = viewer.receive(50))
        lines.push_back(line->substr(std::min<std::size_t>(line->size(), 32)));
    return lines;
}

} // namespace

TEST(NoSiblings, LoadsAndUnloadsWithChannelLines)
{
    if (!siblingsAre("none"))
        GTEST_SKIP() << "runs without sibling libraries";
    Runtime runtime;
    setenv("VELKOR_USEGPFHANDLER", "1", 1);
    LogspyViewer viewer(runtime.dir());
    char exe[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
    const int code = inChild([](void *library) {
        // Without the utility library there is no bracket; exports just work.
        auto get = reinterpret_cast<int (*)(ProfJob *, ProfList *, const char *, const char *, int)>(
            dlsym(library, "ProfGetFileA"));
        return get && get(nullptr, nullptr, "x", "", 1) == -5 ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    const auto lines = received(viewer);
    ASSERT_EQ(lines.size(), 2u) << ::testing::PrintToString(lines);
    EXPECT_EQ(lines[0], "++TBPR14 14.2 [" + std::string(exe) + "] [" + TBPR14_PATH + "]");
    EXPECT_EQ(lines[1], "--TBPR14 14.2 [" + std::string(exe) + "]");
}

TEST(NoSiblings, LowStackLimitIsReported)
{
    if (!siblingsAre("none"))
        GTEST_SKIP() << "runs without sibling libraries";
    Runtime runtime;
    LogspyViewer viewer(runtime.dir());
    const pid_t child = fork();
    if (child == 0) {
        rlimit limit{};
        getrlimit(RLIMIT_STACK, &limit);
        limit.rlim_cur = 0xF000;
        setrlimit(RLIMIT_STACK, &limit);
        void *library = dlopen(TBPR14_PATH, RTLD_NOW | RTLD_LOCAL);
        _exit(library ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const auto lines = received(viewer);
    ASSERT_EQ(lines.size(), 2u) << ::testing::PrintToString(lines);
    EXPECT_EQ(lines[1].rfind("WRN: reserved stack size of app '", 0), 0u) << lines[1];
    EXPECT_NE(lines[1].find("' is f000 bytes, which is possibly too low!"), std::string::npos) << lines[1];
}

TEST(NoSiblings, LogspyShowsTheLines)
{
    if (!siblingsAre("none"))
        GTEST_SKIP() << "runs without sibling libraries";
    Runtime runtime;
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string dir = runtime.dir();
    char *argv[] = {const_cast<char *>(LOGSPY_PATH), const_cast<char *>("-d"),
                    const_cast<char *>(dir.c_str()), const_cast<char *>("-n"),
                    const_cast<char *>("2"),         const_cast<char *>("-t"),
                    const_cast<char *>("3000"),      nullptr};
    pid_t viewer = 0;
    ASSERT_EQ(posix_spawn(&viewer, LOGSPY_PATH, &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    // Wait until the viewer has published itself.
    for (int i = 0; i < 200; ++i) {
        if (tbpr::support::ViewerPidBlock(dir).load() == viewer)
            break;
        usleep(10000);
    }
    EXPECT_EQ(inChild([](void *) { return 0; }), 0);
    std::string text;
    char buffer[1024];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, std::size_t(n));
    close(out[0]);
    int status = 0;
    waitpid(viewer, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(text.find("++TBPR14 14.2 ["), std::string::npos) << text;
    EXPECT_NE(text.find("--TBPR14 14.2 ["), std::string::npos) << text;
    EXPECT_EQ(tbpr::support::ViewerPidBlock(dir).load(), 0); // withdrawn on exit
}

TEST(UtilitySibling, JobOpenedAtLoadAndClosedAtUnload)
{
    if (!siblingsAre("ut14"))
        GTEST_SKIP() << "runs with the fake utility library";
    Runtime runtime;
    {
        faketest::FakeLog log;
        setenv("VELKOR_USEGPFHANDLER", "1", 1);
        EXPECT_EQ(inChild(
                      [&](void *) {
                          // Opened once at load, before any export runs.
                          return log.lines() == std::vector<std::string>{"libtbut14 UtilExHandlerJobOpen"}
                                     ? 0
                                     : 1;
                      },
                      [&] { return log.count("libtbut14 UtilExHandlerJobClose 7") == 1 ? 0 : 2; }),
                  0);
        const std::vector<std::string> expected = {"libtbut14 UtilExHandlerJobOpen",
                                                   "libtbut14 UtilExHandlerJobClose 7"};
        EXPECT_EQ(log.lines(), expected);
    }
    {
        // The same switch from the configuration file.
        faketest::FakeLog log;
        unsetenv("VELKOR_USEGPFHANDLER");
        testsupport::writeFile(runtime.temp / "velkor" / "tbpr14.conf", "UseGPFHandler=TRUE\n");
        EXPECT_EQ(inChild([](void *) { return 0; }), 0);
        EXPECT_EQ(log.count("libtbut14 UtilExHandlerJobOpen"), 1);
        // The environment wins over the file.
        setenv("VELKOR_USEGPFHANDLER", "0", 1);
        faketest::FakeLog off;
        EXPECT_EQ(inChild([](void *) { return 0; }), 0);
        EXPECT_TRUE(off.lines().empty());
        std::filesystem::remove(runtime.temp / "velkor" / "tbpr14.conf");
    }
    {
        // Switched off (the default here): the utility library is not asked.
        faketest::FakeLog log;
        unsetenv("VELKOR_USEGPFHANDLER");
        EXPECT_EQ(inChild([](void *) { return 0; }), 0);
        EXPECT_TRUE(log.lines().empty());
    }
}

TEST(UtilitySibling, BracketOncePerExport)
{
    if (!siblingsAre("ut14"))
        GTEST_SKIP() << "runs with the fake utility library";
    Runtime runtime;
    faketest::FakeLog log;
    setenv("VELKOR_USEGPFHANDLER", "1", 1);
    const int code = inChild([](void *library) {
        auto open = reinterpret_cast<ProfJob *(*)(const char *)>(dlsym(library, "ProfJobOpenA"));
        auto error = reinterpret_cast<int (*)(ProfJob *)>(dlsym(library, "ProfGetError"));
        auto close = reinterpret_cast<void (*)(ProfJob *)>(dlsym(library, "ProfJobClose"));
        if (!open || !error || !close)
            return 77;
        ProfJob *job = open(nullptr);
        error(job);
        close(job);
        close(nullptr); // also for the invalid job
        return 0;
    });
    if (code == 77)
        GTEST_SKIP() << "the job exports are not in the library yet";
    ASSERT_EQ(code, 0);
    std::vector<std::string> expected = {"libtbut14 UtilExHandlerJobOpen"};
    for (int call = 0; call < 4; ++call) {
        expected.push_back("libtbut14 UtilExHandlerStartProtection 7");
        expected.push_back("libtbut14 UtilExHandlerEndProtection 7");
    }
    expected.push_back("libtbut14 UtilExHandlerJobClose 7");
    EXPECT_EQ(log.lines(), expected);
}
