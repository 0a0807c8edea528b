#include "api_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using testsupport::JobTest;

namespace {

class StringsAndLists : public JobTest {
protected:
    // "name=value" per item, "[name]" for lists, as ProfEnumA reports them.
    std::vector<std::string> items(ProfJob *of, ProfList *list)
    {
        std::vector<std::string> out;
        ProfEnumA(
            of, list,
            [](ProfJob *, const char *name, const char *value, ProfList *sublist, void *user) {
                auto &collected = *static_cast<std::vector<std::string> *>(user);
                collected.push_back(sublist ? "[" + std::string(name) + "]"
                                            : std::string(name) + "=" + value);
                return 1;
            },
            &out);
        return out;
    }
    using Items = std::vector<std::string>;
};

} // namespace

TEST_F(StringsAndLists, GetStringCutsAndReportsTheBytesCopied)
{
    ProfSetStringA(job, nullptr, "v", "abcdef");
    char buffer[4];
    EXPECT_EQ(ProfGetStringA(job, nullptr, "v", buffer, 4, "x"), 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(ProfGetStringLengthA(job, nullptr, "v"), 6);
    EXPECT_EQ(ProfGetStringLengthA(job, nullptr, "none"), -6);
    EXPECT_EQ(ProfGetStringA(job, nullptr, "none", buffer, 4, "defaults"), -6);
    EXPECT_STREQ(buffer, "def");
    // the buffer may be the default itself
    char same[8] = "keep";
    EXPECT_EQ(ProfGetStringA(job, nullptr, "none", same, sizeof same, same), -6);
    EXPECT_STREQ(same, "keep");
    EXPECT_EQ(ProfGetStringA(job, nullptr, "v", nullptr, 0, nullptr), 0);
}

TEST_F(StringsAndLists, SetSetAppendOnANestedPath)
{
    ProfSetStringA(job, nullptr, "a/b/c", "1");
    ProfSetStringA(job, nullptr, "a/b/c", "2");
    ProfAppendStringA(job, nullptr, "a/b/c", "3");
    EXPECT_EQ(items(job, ProfGetListA(job, nullptr, "a/b")), (Items{"c=2", "c=3"}));
    EXPECT_EQ(items(job, nullptr), (Items{"[a]"}));
    EXPECT_EQ(get("a/b/c"), "2");
}

TEST_F(StringsAndLists, PathsStartAtTheListOrTheRoot)
{
    ProfList *a = ProfCreateListA(job, nullptr, "a");
    ProfSetStringA(job, a, "x", "in a");
    ProfSetStringA(job, nullptr, "x", "in root");
    EXPECT_EQ(get("x", a), "in a");
    EXPECT_EQ(get("/x", a), "in root");
    EXPECT_EQ(ProfGetListA(job, a, nullptr), a);
    EXPECT_EQ(ProfGetListA(job, nullptr, "/a"), a);
    EXPECT_EQ(ProfGetListW(job, a, nullptr), a); // the wide twin agrees

    // deletes treat a leading "/" as the root too
    ProfDeleteItemA(job, a, "/x");
    EXPECT_EQ(get("/x"), "<-6>");
    EXPECT_EQ(get("x", a), "in a");
    ProfCreateListA(job, a, "inner");
    ProfDeleteListA(job, nullptr, "/a/inner");
    EXPECT_EQ(ProfGetListA(job, a, "inner"), nullptr);
}

TEST_F(StringsAndLists, CreateEmptiesAndAppendAdds)
{
    ProfList *l = ProfCreateListA(job, nullptr, "l");
    ProfSetStringA(job, l, "v", "1");
    EXPECT_EQ(ProfCreateListA(job, nullptr, "l"), l);
    EXPECT_EQ(items(job, l), Items{});
    ProfList *second = ProfAppendListA(job, nullptr, "l");
    EXPECT_NE(second, l);
    EXPECT_EQ(items(job, nullptr), (Items{"[l]", "[l]"}));
    ProfList *bracketed = ProfCreateListA(job, nullptr, "[x]");
    EXPECT_EQ(ProfGetListA(job, nullptr, "x"), bracketed);
}

TEST_F(StringsAndLists, DeleteListByHandleAndEmpty)
{
    ProfSetStringA(job, nullptr, "a/b/c", "1");
    ProfList *b = ProfGetListA(job, nullptr, "a/b");
    ProfDeleteListA(job, b, nullptr);
    EXPECT_EQ(ProfGetListA(job, nullptr, "a/b"), nullptr);
    ProfSetStringA(job, nullptr, "k", "v");
    EXPECT_EQ(ProfEmptyList(job, nullptr), 0);
    EXPECT_EQ(items(job, nullptr), Items{});
}

TEST_F(StringsAndLists, EnumStopsWhenTheCallbackSaysSo)
{
    for (const char *name : {"a", "b", "c"})
        ProfAppendStringA(job, nullptr, name, "");
    int calls = 0;
    const int result = ProfEnumA(
        job, nullptr,
        [](ProfJob *, const char *, const char *, ProfList *, void *user) {
            return ++*static_cast<int *>(user) < 2 ? 1 : 0;
        },
        &calls);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(calls, 2);
}

TEST_F(StringsAndLists, CopyListOfANestedList)
{
    ProfSetStringA(job, nullptr, "src/a", "1");
    ProfSetStringA(job, nullptr, "src/inner/b", "2");
    ProfList *source = ProfGetListA(job, nullptr, "src");
    ProfList *target = ProfCreateListA(job, nullptr, "dst");
    ProfSetStringA(job, target, "existing", "0");

    ProfJob *other = ProfJobOpenA(nullptr);
    EXPECT_EQ(ProfCopyList(other, nullptr, job, source), 0);
    EXPECT_EQ(ProfCopyList(nullptr, target, job, source), 0);
    EXPECT_EQ(items(job, target), (Items{"existing=0", "a=1", "[inner]"}));
    EXPECT_EQ(items(other, nullptr), (Items{"a=1", "[inner]"}));
    ProfSetStringA(other, nullptr, "inner/b", "changed");
    EXPECT_EQ(get("src/inner/b"), "2"); // the source is unchanged
    ProfJobClose(other);
}

TEST_F(StringsAndLists, CopyListIntoItselfCopiesASnapshot)
{
    ProfSetStringA(job, nullptr, "a", "1");
    ProfSetStringA(job, nullptr, "l/b", "2");
    EXPECT_EQ(ProfCopyList(job, nullptr, job, nullptr), 0);
    EXPECT_EQ(items(job, nullptr), (Items{"a=1", "[l]", "a=1", "[l]"}));
    // into a descendant of the source
    ProfList *l = ProfGetListA(job, nullptr, "l");
    EXPECT_EQ(ProfCopyList(job, l, job, nullptr), 0);
    EXPECT_EQ(items(job, l), (Items{"b=2", "a=1", "[l]", "a=1", "[l]"}));
}

// Lookups repeated between changes see every change, whichever export made it.
TEST_F(StringsAndLists, RepeatedLookupsFollowEveryChange)
{
    ProfList *b = nullptr;
    struct Step {
        const char *what;
        std::function<void()> change;
        const char *expected; // at "/a/b/n", and "<-6>" when missing
    };
    const Step steps[] = {
        {"set", [&] { ProfSetIntA(job, nullptr, "a/b/n", 1); }, "1"},
        {"appended twice", [&] { ProfAppendIntA(job, nullptr, "a/b/n", 2); }, "1"},
        {"set again", [&] { ProfSetIntA(job, nullptr, "/a/b/n", 3); }, "3"},
        {"list deleted", [&] { ProfDeleteListA(job, nullptr, "a"); }, "<-6>"},
        {"set into new lists", [&] { ProfSetStringA(job, nullptr, "a/b/n", "4"); }, "4"},
        {"item deleted through the list",
         [&] {
             b = ProfGetListA(job, nullptr, "a/b");
             ProfDeleteItemA(job, b, "n");
         },
         "<-6>"},
        {"set through the list", [&] { ProfSetStringA(job, b, "n", "5"); }, "5"},
        {"list emptied", [&] { ProfEmptyList(job, b); }, "<-6>"},
        {"set once more", [&] { ProfSetStringA(job, b, "n", "6"); }, "6"},
        {"list created anew", [&] { ProfCreateListA(job, nullptr, "a/b"); }, "<-6>"},
        {"root emptied",
         [&] {
             ProfSetStringA(job, nullptr, "a/b/n", "7");
             ProfEmptyList(job, nullptr);
         },
         "<-6>"},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(get("/a/b/n"), step.expected);
            int value = -1;
            const bool found = std::string(step.expected) != "<-6>";
            EXPECT_EQ(ProfGetIntA(job, nullptr, "a/b/n", &value, 99), found ? 0 : -6);
            EXPECT_EQ(value, found ? std::stoi(step.expected) : 99);
            EXPECT_EQ(ProfGetStringLengthA(job, nullptr, "a/b/n"), found ? 1 : -6);
        }
    }
}
