#include "core/mb_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace tbpr;

namespace {

const CodePage &page(uint16_t number)
{
    return *findCodePage(number);
}

struct CopyCase {
    uint16_t page;
    const char *source;
    size_t size;
    const char *expected;
};

class MbStrNCopyTable : public testing::TestWithParam<CopyCase> {};

} // namespace

TEST_P(MbStrNCopyTable, CopiesWholeCharactersOnly)
{
    const CopyCase &c = GetParam();
    char buffer[32];
    std::memset(buffer, 'Z', sizeof buffer);
    MbStrNCopy(c.size, c.source, buffer, page(c.page));
    EXPECT_STREQ(buffer, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Pages, MbStrNCopyTable,
                         testing::Values(CopyCase{1252, "abcdefgh", 5, "abcd"},
                                         // three double-byte characters, room for 3 bytes: one character
                                         CopyCase{932, "\x95\x5C\x95\x5C\x95\x5C", 4, "\x95\x5C"},
                                         CopyCase{932, "a\x95\x5C", 3, "a"},
                                         // "é€" (2 + 3 bytes), room for 3 bytes: "é" only
                                         CopyCase{65001, "\xC3\xA9\xE2\x82\xAC", 4, "\xC3\xA9"},
                                         CopyCase{65001, "\xC3\xA9\xE2\x82\xAC", 6, "\xC3\xA9\xE2\x82\xAC"},
                                         CopyCase{65001, "abc", 1, ""}));

TEST(MbText, CopyOfSizeZeroTouchesNothing)
{
    char buffer[4] = "xyz";
    MbStrNCopy(0, "abc", buffer, page(1252));
    EXPECT_STREQ(buffer, "xyz");
}

TEST(MbText, StrChrSkipsTrailBytes)
{
    // 0x95 0x5C is one character whose trail byte is the backslash code.
    const char *text = "\x95\x5C\\x";
    EXPECT_EQ(MbStrChr(text, '\\', page(932)), text + 2);
    EXPECT_EQ(MbStrChr(text, '\\', page(1252)), text + 1);
    EXPECT_EQ(MbStrChr("abc", '/', page(932)), nullptr);
}

TEST(MbText, CharPrevOverARunOfLeadBytes)
{
    const CodePage &sjis = page(932);
    // "a", then 0x95 0x95 (a character whose trail byte is also a lead-byte value), then "b"
    const char *text = "a\x95\x95"
                       "b";
    EXPECT_EQ(MbCharPrev(text + 4, text, sjis), text + 3);
    EXPECT_EQ(MbCharPrev(text + 3, text, sjis), text + 1);
    // two double-byte characters made of lead-byte values only
    const char *run = "\x95\x95\x95\x95";
    EXPECT_EQ(MbCharPrev(run + 4, run, sjis), run + 2);
    EXPECT_EQ(MbCharPrev(run + 1, run, sjis), run);
    const char *utf8 = "a\xE2\x82\xAC";
    EXPECT_EQ(MbCharPrev(utf8 + 4, utf8, page(65001)), utf8 + 1);
}

TEST(MbText, CharNext)
{
    const char *text = "\x95\x5C"
                       "a";
    EXPECT_EQ(MbCharNext(text, page(932)), text + 2);
    EXPECT_EQ(MbCharNext(text + 3, page(932)), text + 3);
}

TEST(MbText, StrNCatStopsAt4095Characters)
{
    std::string buffer(kMbCatBufferSize, '\0');
    std::memset(buffer.data(), 'a', 4095);
    MbStrNCat("bcd", buffer.data(), page(1252));
    EXPECT_EQ(std::strlen(buffer.c_str()), 4095u);

    std::memset(buffer.data(), 0, buffer.size());
    std::memset(buffer.data(), 'a', 4093);
    MbStrNCat("\xC3\xA9\xC3\xA9", buffer.data(), page(65001)); // room for 2 bytes: one "é"
    EXPECT_EQ(std::strlen(buffer.c_str()), 4095u);
    MbStrNCat("x", buffer.data(), page(65001));
    EXPECT_EQ(std::strlen(buffer.c_str()), 4095u);
}

TEST(MbText, Comparisons)
{
    EXPECT_EQ(MbStrICmp("abc", "ABC"), 0);
    EXPECT_EQ(MbStrICmp("abc", "abd"), -1);
    EXPECT_EQ(MbStrICmp("b", "A"), 1);
    EXPECT_EQ(MbStrNCmp("\x95\x5C"
                        "a",
                        "\x95\x5C"
                        "b",
                        2, page(932)),
              0);
    EXPECT_LT(MbStrNCmp("\x95\x5C"
                        "a",
                        "\x95\x5C"
                        "b",
                        3, page(932)),
              0);
    EXPECT_EQ(MbStrNICmp(3, "aBc", "AbC", page(932)), 0);
    // a trail byte in the letter range is not folded
    EXPECT_NE(MbStrNICmp(2, "\x95\x61", "\x95\x41", page(932)), 0);
}

TEST(MbText, FormatBoundedCutsWholeCharacters)
{
    setCurrentCodePage(65001);
    char buffer[5];
    FormatBounded(sizeof buffer, buffer, "%s", "ab\xE2\x82\xAC");
    EXPECT_STREQ(buffer, "ab");
}
