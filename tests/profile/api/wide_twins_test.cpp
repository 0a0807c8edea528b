#include "api_fixture.h"

#include <gtest/gtest.h>

#include <string>

using testsupport::JobTest;

namespace {

class WideTwins : public JobTest {};

std::u16string cut(const char16_t *buffer)
{
    return std::u16string(buffer);
}

} // namespace

TEST_F(WideTwins, NarrowAndWideTwinsAgree)
{
    ProfSetStringW(job, nullptr, u"a/b", u"Grüße €");
    EXPECT_EQ(get("a/b"), "Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC");
    char16_t buffer[32];
    EXPECT_EQ(ProfGetStringW(job, nullptr, u"a/b", buffer, 32, u""), 11); // narrow byte count
    EXPECT_EQ(cut(buffer), u"Grüße €");
    EXPECT_EQ(ProfGetStringLengthW(job, nullptr, u"a/b"), ProfGetStringLengthA(job, nullptr, "a/b"));
    EXPECT_EQ(ProfGetListW(job, nullptr, u"a"), ProfGetListA(job, nullptr, "a"));

    // null paths mean the same in both twins
    EXPECT_EQ(ProfGetListW(job, nullptr, nullptr), ProfGetListA(job, nullptr, nullptr));
    ProfJob *wideNull = ProfJobOpenW(nullptr);
    EXPECT_EQ(ProfGetError(wideNull), 0);
    EXPECT_EQ(ProfSaveW(wideNull, nullptr, 0), ProfSaveA(wideNull, nullptr, 0));
    ProfJobClose(wideNull);

    int value = 0;
    ProfSetIntW(job, nullptr, u"n/ü", 42);
    EXPECT_EQ(ProfGetIntW(job, nullptr, u"n/ü", &value, 0), 0);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(ProfGetIntA(job, nullptr, "n/\xC3\xBC", &value, 0), 0);

    std::u16string seen;
    ProfEnumW(
        job, ProfGetListW(job, nullptr, u"a"),
        [](ProfJob *, const char16_t *name, const char16_t *text, ProfList *, void *user) {
            *static_cast<std::u16string *>(user) = std::u16string(name) + u"=" + text;
            return 1;
        },
        &seen);
    EXPECT_EQ(seen, u"b=Grüße €");
}

TEST_F(WideTwins, ShortBuffersUnderUtf8)
{
    ProfSetStringA(job, nullptr, "ascii", std::string(30, 'a').c_str());
    char16_t buffer[10];
    EXPECT_EQ(ProfGetStringW(job, nullptr, u"ascii", buffer, 10, u""), 9);
    EXPECT_EQ(cut(buffer), std::u16string(9, u'a'));

    // ten CJK characters of three bytes each: nine fit in ten units
    std::u16string cjk(10, u'\u4E2D');
    ProfSetStringW(job, nullptr, u"cjk", cjk.c_str());
    EXPECT_EQ(ProfGetStringLengthA(job, nullptr, "cjk"), 30);
    EXPECT_EQ(ProfGetStringW(job, nullptr, u"cjk", buffer, 10, u""), 27);
    EXPECT_EQ(cut(buffer), std::u16string(9, u'\u4E2D'));

    // a surrogate pair is never split at the end of the buffer
    ProfSetStringW(job, nullptr, u"emoji", u"abcdefgh\U0001F600");
    ProfGetStringW(job, nullptr, u"emoji", buffer, 10, u"");
    EXPECT_EQ(cut(buffer), u"abcdefgh");
}

TEST_F(WideTwins, ShortBuffersUnderADoubleBytePage)
{
    ASSERT_EQ(ProfSetOption(PROF_OPTION_CODEPAGE, 932), 1);
    std::string value;
    for (int i = 0; i < 15; ++i)
        value += "\x95\x5C";
    ProfSetStringA(job, nullptr, "v", value.c_str());
    char16_t buffer[10];
    // ten units lend nineteen bytes: nine characters come back
    EXPECT_EQ(ProfGetStringW(job, nullptr, u"v", buffer, 10, u""), 18);
    EXPECT_EQ(cut(buffer), std::u16string(9, u'表'));
}

TEST_F(WideTwins, DefaultsOfWideGetters)
{
    char16_t buffer[8] = u"zzzzzzz";
    EXPECT_EQ(ProfGetStringW(job, nullptr, u"missing", buffer, 8, u"Grüße!"), -6);
    EXPECT_EQ(cut(buffer), u"Grüße!");
    // the caller's buffer is the default: it is read, at most n units
    char16_t same[4] = {u'a', u'b', u'c', 0};
    EXPECT_EQ(ProfGetStringW(job, nullptr, u"missing", same, 4, same), -6);
    EXPECT_EQ(cut(same), u"abc");
    EXPECT_EQ(ProfGetStringW(nullptr, nullptr, u"x", buffer, 8, u"inv"), -5);
    EXPECT_EQ(cut(buffer), u"inv");
    EXPECT_EQ(ProfGetStringW(job, nullptr, u"x", buffer, 1, u"abc"), -6);
    EXPECT_EQ(buffer[0], 0);
}
