#include "core/path_cache.h"
#include "core/profile_paths.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace tbpr;

namespace {

const CodePage &utf8()
{
    return *findCodePage(65001);
}

std::string valueOf(const Item *item)
{
    return item ? item->value : "<missing>";
}

} // namespace

// After each change the cache must give the very item a fresh walk finds.
TEST(PathCache, AgreesWithTheWalkThroughEveryChange)
{
    ItemList root("/");
    PathCache cache;
    ItemList *b = nullptr;
    struct Step {
        const char *what;
        std::function<void()> change;
        const char *path;
        const char *expected;
    };
    const Step steps[] = {
        {"set", [&] { setValue(root, "a/b/v", "1"); }, "a/b/v", "1"},
        {"same name appended", [&] { appendValue(root, "a/b/v", "2"); }, "a/b/v", "1"},
        {"second list of that name", [&] { setValue(appendList(root, "a"), "b/v", "3"); }, "a/b/v", "1"},
        {"found value removed",
         [&] { findList(root, "a/b")->removeIf([](const Item &item) { return item.value == "1"; }); },
         "a/b/v", "2"},
        {"value set in place", [&] { setValue(root, "a/b/v", "changed"); }, "a/b/v", "changed"},
        {"lists on the path removed", [&] { deleteLists(root, "a"); }, "a/b/v", "<missing>"},
        {"set again", [&] { setValue(root, "a/b/v", "4"); }, "a/b/v", "4"},
        {"inner list emptied", [&] { createList(root, "a/b"); }, "a/b/v", "<missing>"},
        {"set below an inner list",
         [&] {
             b = findList(root, "a/b");
             setValue(*b, "v", "5");
         },
         "a/b/v", "5"},
        {"root emptied", [&] { root.clear(); }, "a/b/v", "<missing>"},
        {"empty name", [&] { root.appendValue("", "blank"); }, "", "blank"},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        for (int round = 0; round < 2; ++round) { // the second round is answered from the cache
            const Item *cached = cache.valueItem(root, step.path, utf8());
            EXPECT_EQ(cached, findValueItem(root, step.path, utf8()));
            EXPECT_EQ(valueOf(cached), step.expected);
        }
    }
}

TEST(PathCache, KeysOnTheStartListAndTheCodePage)
{
    ItemList root("/");
    ItemList &one = appendList(root, "one");
    ItemList &two = appendList(root, "two");
    one.appendValue("v", "in one");
    two.appendValue("v", "in two");
    // 0x83 is a lead byte in code page 932, so there the "/" belongs to the name
    const CodePage &sjis = *findCodePage(932);
    root.appendValue("\x83/x", "whole");
    setValue(root, "\x83/x", "split", utf8());

    PathCache cache;
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(valueOf(cache.valueItem(one, "v", utf8())), "in one");
        EXPECT_EQ(valueOf(cache.valueItem(two, "v", utf8())), "in two");
        EXPECT_EQ(valueOf(cache.valueItem(root, "\x83/x", sjis)), "whole");
        EXPECT_EQ(valueOf(cache.valueItem(root, "\x83/x", utf8())), "split");
    }
}

TEST(PathCache, StaysRightBeyondItsSize)
{
    ItemList root("/");
    constexpr int kCount = 40000;
    for (int i = 0; i < kCount; ++i)
        root.appendValue("v" + std::to_string(i), std::to_string(i));
    PathCache cache;
    int wrong = 0;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < kCount; ++i) {
            const std::string path = "v" + std::to_string(i);
            wrong += valueOf(cache.valueItem(root, path.c_str(), utf8())) != std::to_string(i);
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_LE(cache.size(), static_cast<size_t>(kCount));
    EXPECT_GT(cache.size(), 0u);
}

// The count that makes every cache forget moves only when something a cache
// found ends, so unrelated removals keep the caches warm.
TEST(PathCache, OnlyTheEndOfAFoundItemMakesCachesForget)
{
    struct Case {
        const char *what;
        std::function<void(ItemList &root)> change;
        bool forgets;
    };
    const Case cases[] = {
        {"value never looked up removed", [](ItemList &root) { deleteItems(root, "other"); }, false},
        {"list never walked removed", [](ItemList &root) { deleteLists(root, "free"); }, false},
        {"value appended", [](ItemList &root) { appendValue(root, "l/v", "again"); }, false},
        {"found value removed", [](ItemList &root) { deleteItems(root, "l/v"); }, true},
        {"list on the walk removed", [](ItemList &root) { deleteLists(root, "l"); }, true},
        {"walked list emptied", [](ItemList &root) { findList(root, "l")->clear(); }, true},
        {"start list of a lookup ended", [](ItemList &root) { deleteLists(root, "l/start"); }, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ItemList root("/");
        setValue(root, "l/v", "1");
        setValue(root, "other", "x");
        appendList(root, "free");
        ItemList &start = createList(root, "l/start");
        setValue(start, "deep/w", "2");
        PathCache cache;
        ASSERT_EQ(valueOf(cache.valueItem(root, "l/v", utf8())), "1");
        ASSERT_EQ(valueOf(cache.valueItem(start, "deep/w", utf8())), "2");
        EXPECT_EQ(cache.valueItem(start, "missing", utf8()), nullptr);
        const uint64_t before = rememberedEnds();
        c.change(root);
        EXPECT_EQ(rememberedEnds() != before, c.forgets);
    }
}
