#include "core/format.h"
#include "core/path_text.h"
#include "core/process_environment.h"
#include "core/string_ops.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>

using namespace tbpr;

TEST(Format, NullTextArgumentGivesTheErrorText)
{
    const char *volatile nothing = nullptr; // hidden from the format checker
    EXPECT_EQ(format("a %d %s", 1, nothing), "<printf format error>");
    EXPECT_EQ(format("%5.1f|%s|%c", 2.25, "x", 'y'), "  2.2|x|y");
}

TEST(Format, LongResultsAreNotCut)
{
    const std::string long200(200, 'q');
    const std::string result = format("<%s>%d", long200.c_str(), 42);
    EXPECT_EQ(result, "<" + long200 + ">42");
}

TEST(Format, NumbersIgnoreTheProcessLocale)
{
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 not installed";
    EXPECT_EQ(format("%f", 1.5), "1.500000");
    std::setlocale(LC_ALL, "C");
}

TEST(StringOps, SystemErrorText)
{
    EXPECT_EQ(systemErrorText(ENOENT), "No such file or directory (00000002)");
    EXPECT_EQ(systemErrorText(99999), "(error code 0x01869f)");
}

TEST(StringOps, PartOfText)
{
    EXPECT_EQ(partOf("0123456789", 3, kToTheEnd, TextUnit::Bytes), "3456789");
    EXPECT_EQ(partOf("0123456789", 3, 2, TextUnit::Bytes), "34");
    EXPECT_EQ(partOf("0123456789", 10, 2, TextUnit::Bytes), "");
    EXPECT_EQ(partOf("0123456789", 3, 0, TextUnit::Bytes), "");
    const CodePage &sjis = *findCodePage(932);
    EXPECT_EQ(partOf("a\x95\x5C"
                     "b\x95\x5C",
                     1, 2, TextUnit::Characters, sjis),
              "\x95\x5C"
              "b");
}

TEST(StringOps, LastCharacters)
{
    const CodePage &sjis = *findCodePage(932);
    const CodePage &utf8 = *findCodePage(65001);
    EXPECT_EQ(lastCharacters("ab\x95\x5C", 1, sjis), "\x95\x5C");
    EXPECT_EQ(lastCharacters("ab\x95\x5C", 2, sjis), "b\x95\x5C");
    EXPECT_EQ(lastCharacters("a\xC3\xA9\xE2\x82\xAC", 2, utf8), "\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(lastCharacters("abc", 0, utf8), "c");
    EXPECT_EQ(lastCharacters("abc", 9, utf8), "abc");
}

TEST(StringOps, PathPieces)
{
    EXPECT_EQ(pathFileNameExt("/a/b/name.ext"), "name.ext");
    EXPECT_EQ(pathFileName("/a/b/name.ext"), "name");
    EXPECT_EQ(pathDirectory("/a/b/name.ext"), "/a/b/");
    EXPECT_EQ(pathWithExtension("/a/b/name.ext", ".ini"), "/a/b/name.ini");
    EXPECT_EQ(pathLongForm("/nonexistent/x"), "/nonexistent/x");
}

TEST(ProcessEnvironment, RecordsHostAndSystem)
{
    const ProcessEnvironment &env = InitProcessEnvironment();
    EXPECT_EQ(&env, &processEnvironment()); // recorded once
    EXPECT_EQ(env.hostFileName, "profile_core_test");
    EXPECT_EQ(env.hostBaseName, "profile_core_test");
    EXPECT_EQ(env.hostDirectory + env.hostFileName, env.hostPath);
    EXPECT_FALSE(env.libraryPath.empty());
    uint32_t version = 0;
    EXPECT_EQ(GetOSType(&version), 32u);
    EXPECT_GE(version >> 8, 3u); // a kernel of at least 3.15 (OFD locks)
}
