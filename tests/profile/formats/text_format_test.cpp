#include "core/profile_paths.h"

#include "format_fixtures.h"

#include <gtest/gtest.h>

using namespace tbpr;
using testsupport::describe;
using testsupport::parseBytes;
using testsupport::render;

TEST(TextFormat, GoldenBytesOfASavedJob)
{
    ItemList root("/");
    setValue(root, "a", "1");
    setValue(root, "b/c", "2");
    EXPECT_EQ(render(root, 0, SaveFormat::Text), "[/]\r\n"
                                                 " {\r\n"
                                                 " a=1\r\n"
                                                 " [b]\r\n"
                                                 "  {\r\n"
                                                 "  c=2\r\n"
                                                 "  }\r\n"
                                                 " }\r\n");
}

TEST(TextFormat, IndentationUsesTabsPerFourLevels)
{
    EXPECT_EQ(makeIndent(5), "\t ");
    EXPECT_EQ(makeIndent(6), "\t  ");
    EXPECT_EQ(makeIndent(8), "\t\t");
    ItemList root("/");
    setValue(root, "a/b/c/d/e/v", "x");
    const std::string text = render(root, 0, SaveFormat::Text);
    EXPECT_NE(text.find("\r\n\t [e]\r\n\t  {\r\n\t  v=x\r\n"), std::string::npos) << text;
}

TEST(TextFormat, EstimateIsTheWrittenSize)
{
    ItemList root("/");
    setValue(root, "a", "1");
    for (int i = 0; i < 30; ++i)
        appendValue(root, "l1/l2/l3/l4/l5/l6/key", std::string(static_cast<size_t>(i), 'v'));
    setValue(root, "empty/", "");
    for (int depth : {0, 2, 7})
        EXPECT_EQ(estimateListSize(root, depth, SaveFormat::Text),
                  render(root, depth, SaveFormat::Text).size());
}

TEST(TextFormat, ReaderTable)
{
    struct Case {
        const char *name;
        std::string bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"lines before the marker are ignored", "junk=1\r\n[x]\r\n[/]\r\n{\r\na=1\r\n}\r\n", "a=1"},
        {"no marker: empty", "a=1\r\nb=2\r\n", ""},
        {"missing closing braces", "[/]\r\n{\r\na=1\r\n[l]\r\n{\r\nb=2\r\n", "a=1,[l]{b=2}"},
        {"only the first = splits", "[/]\r\n{\r\nk=v=w\r\n}\r\n", "k=v=w"},
        {"blanks around = are kept", "[/]\r\n{\r\nk = v \r\n}\r\n", "k = v "},
        {"leading blanks go before the first-character test",
         "[/]\r\n {\r\n  ;comment\r\n\t#x\r\n  a=1\r\n }\r\n", "a=1"},
        {"a line without = is a name", "[/]\r\n{\r\nlonely\r\n}\r\n", "lonely="},
        {"lines after the root are ignored", "[/]\r\n{\r\na=1\r\n}\r\nb=2\r\n", "a=1"},
        {"LF line ends and blank lines", "[/]\n\n{\na=1\n\n}\n", "a=1"},
        {"bracket names lose first and last", "[/]\r\n{\r\n[[x]]\r\n{\r\n}\r\n}\r\n", "[[x]]{}"},
    };
    for (const Case &c : cases) {
        ItemList root("/");
        parseBytes(root, c.bytes, ParseMode::Text);
        EXPECT_EQ(describe(root), c.expected) << c.name;
    }
}

TEST(TextFormat, StreamDepthReadsStraightIntoTheRoot)
{
    ItemList root("/");
    parseBytes(root, "a=1\r\n}\r\nb=2\r\n", ParseMode::Text, false, 0);
    EXPECT_EQ(describe(root), "a=1");
}

TEST(TextFormat, Utf16TextWithByteOrderMark)
{
    setCurrentCodePage(65001);
    ItemList root("/");
    parseBytes(root, "\xFF\xFE" + testsupport::utf16le(u"[/]\r\n{\r\nname=Grüße €\r\n}\r\n"), ParseMode::Text,
               true);
    EXPECT_EQ(describe(root), "name=Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC");
}

TEST(TextFormat, RoundTripOfRepresentableTree)
{
    ItemList root("/");
    setValue(root, "a", "1");
    setValue(root, "l/m/n", "deep = value ");
    appendValue(root, "l/m/n", "");
    setValue(root, "x", "");
    ItemList back("/");
    parseBytes(back, render(root, 0, SaveFormat::Text), ParseMode::Text);
    EXPECT_EQ(describe(back), describe(root));
}

TEST(TextFormat, UnrepresentableItemsAreFound)
{
    const std::pair<std::string, std::string> bad[] = {
        {"a\nb", "v"}, {"a", "v\r\nw"}, {"#a", "v"}, {";a", "v"},  {"{a", "v"},
        {"}a", "v"},   {"[a", "v"},     {" a", "v"}, {"\ta", "v"}, {"a=b", "v"},
    };
    for (const auto &[name, value] : bad) {
        ItemList root("/");
        setValue(root, "ok", "1");
        appendList(root, "l").appendValue(name, value);
        const Item *found = findUnrepresentableInText(root);
        ASSERT_NE(found, nullptr) << name;
        EXPECT_EQ(found->name, name);
    }
    ItemList fine("/");
    fine.appendValue("a ", " =b ]");
    fine.appendValue("", "");
    appendList(fine, "we]ird");
    EXPECT_EQ(findUnrepresentableInText(fine), nullptr);
}

TEST(TextFormat, EqualsInsideADoubleByteCharacterIsNoSeparator)
{
    // Under 1361 a trail byte may have the value of "=".
    ASSERT_TRUE(setCurrentCodePage(1361));
    ItemList root("/");
    root.appendValue("\x88\x3D", "v");
    EXPECT_EQ(findUnrepresentableInText(root), nullptr);
    ItemList back("/");
    parseBytes(back, render(root, 0, SaveFormat::Text), ParseMode::Text);
    EXPECT_EQ(describe(back), "\x88\x3D=v");
    setCurrentCodePage(65001);
}
