#include "support/late_load.h"
#include "support/sibling_libraries.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <thread>
#include <vector>

using namespace tbpr::support;

// Runs with libtbut20.so on LD_LIBRARY_PATH; libtbut17.so is reached by path only.
TEST(LateLoad, LoadedSiblingWinsOverNewerOnThePath)
{
    {
        UtilityLibrary first;
        ASSERT_TRUE(first.ensureLoaded(true));
        EXPECT_EQ(first.foundVersion(), 20);
        EXPECT_FALSE(first.foundLoaded());
    }
    void *host = dlopen(FAKE_UT17_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(host, nullptr) << dlerror();
    {
        UtilityLibrary second;
        ASSERT_TRUE(second.ensureLoaded(true));
        EXPECT_EQ(second.foundVersion(), 17);
        EXPECT_TRUE(second.foundLoaded());
        std::intptr_t job = 0;
        EXPECT_TRUE(second.jobOpen(job));
        EXPECT_EQ(job, 7);
    }
    // The wrapper held a reference of its own and gave it back.
    EXPECT_NE(dlopen("libtbut17.so", RTLD_NOW | RTLD_NOLOAD), nullptr);
    dlclose(host);
    dlclose(host);
}

TEST(LateLoad, MissingLibraryIsTriedOnce)
{
    LateLoadLibrary missing("libtbnothere99.so");
    FunctionSlot a, b;
    EXPECT_FALSE(missing.available(a, "Anything"));
    EXPECT_FALSE(missing.available(a, "Anything"));
    EXPECT_FALSE(missing.available(b, "Other"));
    EXPECT_EQ(missing.loadAttempts(), 1);
    EXPECT_EQ(missing.loadError(), LateLoadLibrary::kUnknownLoadError);
    EXPECT_NE(missing.loadErrorText().find("libtbnothere99.so"), std::string::npos);

    // A missing function is looked up once, then skipped.
    LateLoadLibrary zlib("libz.so.1");
    FunctionSlot absent, present;
    EXPECT_FALSE(zlib.available(absent, "NoSuchFunction"));
    EXPECT_EQ(absent.state, 1);
    EXPECT_TRUE(zlib.available(present, "zlibVersion"));
    EXPECT_EQ(present.state, 2);

    // No sibling of the stem at all.
    LateLoadLibrary sibling("zz", 20, 14);
    EXPECT_FALSE(sibling.ensureLoaded(true));
    EXPECT_EQ(sibling.foundVersion(), 0);
}

TEST(LateLoad, ConcurrentFirstCallsResolveOnce)
{
    UtilityLibrary library;
    FunctionSlot slot;
    std::vector<std::thread> threads;
    std::atomic<int> available{0};
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&] { available += library.available(slot, "UtilExHandlerJobOpen"); });
    for (auto &t : threads)
        t.join();
    EXPECT_EQ(available.load(), 8);
    EXPECT_EQ(library.loadAttempts(), 1);
    EXPECT_EQ(slot.state, 2);
}

TEST(LateLoad, SiblingNames)
{
    EXPECT_EQ(siblingFileName("ut", 14), "libtbut14.so");
    EXPECT_EQ(siblingFileName("ct", 7), "libtbct07.so");
}
