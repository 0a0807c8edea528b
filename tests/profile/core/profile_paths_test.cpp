#include "core/profile_paths.h"

#include "diagnostics_capture.h"

#include <gtest/gtest.h>

using namespace tbpr;

namespace {

std::string value(const ItemList &list, const char *path)
{
    const Item *item = findValueItem(list, path);
    return item ? item->value : "<missing>";
}

std::vector<std::string> names(const ItemList &list)
{
    std::vector<std::string> result;
    for (const auto &item : list.items())
        result.push_back((item->isList() ? "[" : "") + item->name);
    return result;
}

} // namespace

TEST(ProfilePaths, FirstMatchOfTheRightKind)
{
    ItemList root("/");
    root.appendValue("a", "1");
    root.appendValue("a", "2");
    appendList(root, "x");
    root.appendValue("x", "value");
    ItemList &first = appendList(root, "d");
    (void)first;
    ItemList &second = appendList(root, "d");
    second.appendValue("b", "deep");

    EXPECT_EQ(value(root, "a"), "1");
    setValue(root, "a", "changed");
    EXPECT_EQ(value(root, "a"), "changed");
    EXPECT_EQ(root.items()[1]->value, "2");
    appendValue(root, "a", "3");
    EXPECT_EQ(root.items().back()->value, "3");

    EXPECT_EQ(value(root, "x"), "value");
    EXPECT_EQ(findList(root, "x"), root.items()[2]->sublist.get());
    // d/b: the first list d lacks b, the second has it: not found
    EXPECT_EQ(getItemValueLength(root, "d/b"), kNotFound);
    EXPECT_EQ(findList(root, nullptr), &root);
}

TEST(ProfilePaths, FirstMatchHoldsInLongIndexedLists)
{
    ItemList root("/");
    for (int i = 0; i < 100; ++i)
        root.appendValue("k" + std::to_string(i % 50), std::to_string(i));
    appendList(root, "k7");
    EXPECT_EQ(value(root, "k7"), "7");
    root.removeIf([](const Item &item) { return item.value == "7"; });
    EXPECT_EQ(value(root, "k7"), "57");
    root.appendValue("late", "x");
    EXPECT_EQ(value(root, "late"), "x");
    EXPECT_NE(findList(root, "k7"), nullptr);
}

TEST(ProfilePaths, CreateAppendAndParents)
{
    ItemList root("/");
    setValue(root, "a/b/c", "1");
    ItemList *b = findList(root, "a/b");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(value(root, "a/b/c"), "1");
    setValue(root, "a/b/c", "2");
    appendValue(root, "a/b/c", "3");
    EXPECT_EQ(names(*b), (std::vector<std::string>{"c", "c"}));
    EXPECT_EQ(value(root, "a/b/c"), "2");

    // CreateList on an existing list empties it and returns the same list
    EXPECT_EQ(&createList(root, "a/b"), b);
    EXPECT_TRUE(b->empty());

    // AppendList always adds: a second "a" that holds a new "b"
    ItemList &again = appendList(root, "a/b");
    EXPECT_EQ(names(root), (std::vector<std::string>{"[a", "[a"}));
    EXPECT_EQ(&again, findList(*root.items()[1]->sublist, "b"));
}

TEST(ProfilePaths, BracketNamesLoseFirstAndLastCharacter)
{
    ItemList root("/");
    createList(root, "[x]");
    EXPECT_EQ(names(root), (std::vector<std::string>{"[x"}));
    EXPECT_EQ(findList(root, "[x]"), nullptr);
    EXPECT_EQ(ItemList::nameFromText("["), "");
    EXPECT_EQ(ItemList::nameFromText("[Fonts]"), "Fonts");
}

TEST(ProfilePaths, LongInnerSegmentsCompareWhole)
{
    ItemList root("/");
    const std::string longName(300, 'n');
    const std::string cut(255, 'n');
    createList(root, cut.c_str());
    setValue(root, (longName + "/v").c_str(), "1");
    // a separate list: the 300-byte name is not merged into the 255-byte one
    EXPECT_EQ(root.size(), 2u);
    EXPECT_EQ(value(root, (longName + "/v").c_str()), "1");
    EXPECT_EQ(value(root, (cut + "/v").c_str()), "<missing>");
}

TEST(ProfilePaths, DoubleByteSlashDoesNotSplit)
{
    const CodePage &sjis = *findCodePage(932);
    ItemList root("/");
    // 0x83 0x2F is not a valid pair, but 0x95 0x5C is; use a name whose trail byte is '\\'
    setValue(root, "\x95\x5C/x", "1", sjis);
    EXPECT_NE(findList(root, "\x95\x5C", sjis), nullptr);
}

TEST(ProfilePaths, FindItemValueReturnsTheBytesCopied)
{
    const CodePage &sjis = *findCodePage(932);
    ItemList root("/");
    root.appendValue("v", "a\x95\x5C"
                          "b");
    char buffer[8] = "zzzzzzz";
    EXPECT_EQ(findItemValue(root, "v", buffer, 3, sjis), 1); // the double-byte character does not fit
    EXPECT_STREQ(buffer, "a");
    EXPECT_EQ(findItemValue(root, "v", buffer, 8, sjis), 4);
    EXPECT_EQ(findItemValue(root, "v", buffer, 0, sjis), 0);
    EXPECT_EQ(findItemValue(root, "none", buffer, 8, sjis), kNotFound);
}

TEST(ProfilePaths, DeletesRemoveEveryMatch)
{
    ItemList root("/");
    setValue(root, "p/v", "1");
    appendValue(root, "p/v", "2");
    appendList(root, "p");
    appendValue(*root.items()[1]->sublist, "v", "3");
    appendList(*root.items()[1]->sublist, "v");
    deleteItems(root, "p/v");
    EXPECT_TRUE(root.items()[0]->sublist->empty());
    EXPECT_EQ(names(*root.items()[1]->sublist), (std::vector<std::string>{"[v"}));

    deleteLists(root, "p/v");
    EXPECT_TRUE(root.items()[1]->sublist->empty());
    deleteLists(root, "p");
    EXPECT_TRUE(root.empty());

    setValue(root, "a/b/c", "1");
    ItemList *b = findList(root, "a/b");
    EXPECT_TRUE(deleteListByHandle(root, b));
    EXPECT_EQ(findList(root, "a/b"), nullptr);
    EXPECT_FALSE(deleteListByHandle(root, b));
    deleteLists(root, "");
    EXPECT_TRUE(root.empty());
}

TEST(ProfilePaths, EnumStopsAtZeroAndSurvivesChanges)
{
    ItemList root("/");
    for (const char *name : {"a", "b", "c"})
        root.appendValue(name, "");
    int calls = 0;
    EXPECT_EQ(enumList(root, [&](const Item &) { return ++calls < 2 ? 1 : 0; }), 0);
    EXPECT_EQ(calls, 2);
    calls = 0;
    EXPECT_EQ(enumList(root,
                       [&](const Item &) {
                           if (++calls == 1)
                               root.appendValue("late", "");
                           return 1;
                       }),
              1);
    EXPECT_EQ(calls, 4);
}

TEST(ProfilePaths, DumpWritesIndentedLines)
{
    testsupport::DiagnosticsCapture capture;
    ItemList root("/");
    setValue(root, "l/v", "1");
    dumpList(root, 0);
    EXPECT_EQ(capture.taken(), (std::vector<std::string>{"[l]\n", " v=1\n"}));
}

TEST(ProfilePaths, CloneIsDeepAndIndependent)
{
    ItemList root("/");
    setValue(root, "a/b", "1");
    auto copy = cloneList(root);
    setValue(root, "a/b", "2");
    EXPECT_EQ(value(*copy, "a/b"), "1");
}

TEST(ProfilePaths, AVeryDeepTreeIsTornDownWithoutRecursion)
{
    auto root = std::make_unique<ItemList>("/");
    ItemList *list = root.get();
    for (int i = 0; i < 300000; ++i)
        list = &list->appendList(std::make_unique<ItemList>("a"));
    list->appendValue("x", "1");
    EXPECT_EQ(findList(*root, "a/a/a")->size(), 1u);
    root.reset(); // would overflow the stack if each level recursed
    EXPECT_EQ(root, nullptr);
}
