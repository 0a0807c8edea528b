#include "core/code_page.h"
#include "core/conversion.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <iconv.h>

using namespace tbpr;

namespace {

const CodePage &page(uint16_t number)
{
    const CodePage *found = findCodePage(number);
    EXPECT_NE(found, nullptr) << number;
    return *found;
}

enum class Probe { Character, Incomplete, Invalid };

// iconv on the byte alone: EINVAL means "incomplete", i.e. a lead byte.
Probe probe(const char *name, unsigned char byte)
{
    iconv_t cd = iconv_open("UTF-16LE", name);
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << name;
    char in[1] = {static_cast<char>(byte)};
    char *inPtr = in;
    size_t inLeft = 1;
    char out[16];
    char *outPtr = out;
    size_t outLeft = sizeof out;
    const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    iconv_close(cd);
    if (result != static_cast<size_t>(-1))
        return Probe::Character;
    return error == EINVAL ? Probe::Incomplete : Probe::Invalid;
}

} // namespace

TEST(CodePage, LeadByteTablesMatchIconvForEveryByte)
{
    // 932 and 936: glibc knows exactly the lead bytes of the table.
    for (uint16_t number : {932, 936}) {
        const CodePage &cp = page(number);
        for (int b = 0; b < 256; ++b) {
            EXPECT_EQ(cp.isLeadByte(static_cast<uint8_t>(b)),
                      probe(cp.iconvName, static_cast<uint8_t>(b)) == Probe::Incomplete)
                << "page " << number << " byte " << b;
        }
    }
    // 949, 950, 1361: the table also holds the lead bytes of user-defined
    // rows, which glibc rejects outright; it never reads them as characters.
    for (uint16_t number : {949, 950, 1361}) {
        const CodePage &cp = page(number);
        for (int b = 0; b < 256; ++b) {
            const Probe result = probe(cp.iconvName, static_cast<uint8_t>(b));
            if (result == Probe::Incomplete) {
                EXPECT_TRUE(cp.isLeadByte(static_cast<uint8_t>(b))) << "page " << number << " byte " << b;
            }
            if (cp.isLeadByte(static_cast<uint8_t>(b))) {
                EXPECT_NE(result, Probe::Character) << "page " << number << " byte " << b;
            }
        }
    }
}

TEST(CodePage, EveryTableEntryHasAnIconvConverter)
{
    for (int number = 1; number < 65536; ++number) {
        const CodePage *cp = findCodePage(static_cast<uint16_t>(number));
        if (!cp)
            continue;
        iconv_t cd = iconv_open("UTF-16LE", cp->iconvName);
        EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << cp->iconvName;
        if (cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd);
    }
    EXPECT_EQ(findCodePage(12345), nullptr);
}

TEST(CodePage, AllBytesOf1252RoundTrip)
{
    const CodePage &cp = page(1252);
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::u16string wide = widen(all, cp);
    ASSERT_EQ(wide.size(), all.size());
    EXPECT_EQ(wide[0x80 - 1], u'\u20AC');
    EXPECT_EQ(wide[0x81 - 1], u'\u0081'); // one of the five bytes glibc leaves undefined
    EXPECT_EQ(wide[0x9D - 1], u'\u009D');
    EXPECT_EQ(narrow(wide, cp), all);
}

TEST(CodePage, UnmappableCharactersBecomeReplacements)
{
    EXPECT_EQ(narrow(u"a\u4E00b", page(1252)), "a?b");
    EXPECT_EQ(widen("a\x81", page(932)), u"a\uFFFD"); // lead byte without trail byte
    EXPECT_EQ(widen("a\xC3", page(65001)), u"a\uFFFD");
    EXPECT_EQ(narrow(u"x\xD800y", page(65001)), "x?y"); // lone surrogate
}

TEST(CodePage, Utf8AndDoubleByteConversions)
{
    EXPECT_EQ(widen("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", page(65001)), u"é€\U0001F600");
    EXPECT_EQ(narrow(u"é€\U0001F600", page(65001)), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(widen("\x95\x5C", page(932)), u"表");
    EXPECT_EQ(narrow(u"表", page(932)), "\x95\x5C");
}

TEST(CodePage, CharacterLengths)
{
    const CodePage &utf8 = page(65001);
    EXPECT_EQ(utf8.charLength("\xC3\xA9"), 2u);
    EXPECT_EQ(utf8.charLength("\xE2\x82\xAC"), 3u);
    EXPECT_EQ(utf8.charLength("\xF0\x9F\x98\x80"), 4u);
    EXPECT_EQ(utf8.charLength("\xE2\x82"), 1u);  // cut sequence
    EXPECT_EQ(utf8.charLength("\x82\x82"), 1u);  // continuation byte
    EXPECT_EQ(page(932).charLength("\x95"), 1u); // lead byte at the end
}

TEST(CodePage, CodesetNames)
{
    EXPECT_EQ(codePageFromCodeset("UTF-8"), 65001);
    EXPECT_EQ(codePageFromCodeset("ANSI_X3.4-1968"), 65001);
    EXPECT_EQ(codePageFromCodeset("ISO-8859-15"), 28605);
    EXPECT_EQ(codePageFromCodeset("SHIFT_JIS"), 932);
    EXPECT_EQ(codePageFromCodeset("BIG5"), 950);
}

TEST(CodePage, SettingAnUnknownPageKeepsTheOldOne)
{
    const uint16_t before = currentCodePage().number;
    EXPECT_FALSE(setCurrentCodePage(4711));
    EXPECT_EQ(currentCodePage().number, before);
    EXPECT_TRUE(setCurrentCodePage(932));
    EXPECT_EQ(currentCodePage().number, 932);
    setCurrentCodePage(before);
}

TEST(CodePage, WideCutNeverSplitsASurrogatePair)
{
    const std::u16string text = u"ab\U0001F600c";
    EXPECT_EQ(wideCutLength(text, 3), 2u);
    EXPECT_EQ(wideCutLength(text, 4), 4u);
    EXPECT_EQ(wideCutLength(text, 10), 5u);
}
