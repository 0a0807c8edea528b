#include "api_fixture.h"
#include "memory_stream.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using testsupport::JobTest;

namespace {

class Jobs : public JobTest {
protected:
    Jobs() { setenv("XDG_RUNTIME_DIR", dir.str().c_str(), 1); }
    std::string path(const char *name) const { return (dir / name).string(); }
    testsupport::TempDir dir;
};

} // namespace

TEST_F(Jobs, MissingFileGivesAJobThatCanBeFilledAndSaved)
{
    ProfJob *missing = ProfJobOpenA(path("missing.prf").c_str());
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(ProfGetError(missing), PROF_ERR_OPEN);
    ProfSetIntA(missing, nullptr, "a/b", 7);
    EXPECT_EQ(ProfSaveA(missing, path("saved.prf").c_str(), PROF_FORMAT_TEXT), PROF_OK);
    ProfJobClose(missing);

    ProfJob *reopened = ProfJobOpenA(path("saved.prf").c_str());
    int value = 0;
    EXPECT_EQ(ProfGetIntA(reopened, nullptr, "a/b", &value, 0), PROF_OK);
    EXPECT_EQ(value, 7);
    ProfJobClose(reopened);

    EXPECT_EQ(ProfGetError(job), PROF_OK);
}

TEST_F(Jobs, InvalidJobTable)
{
    testsupport::MemoryStream memory;
    char buffer[8] = "";
    int i = 0;
    int32_t l = 0;
    double d = 0;
    ProfPoint p{};
    ProfRect r{};
    ProfColorref c = 0;
    const std::pair<const char *, int> table[] = {
        {"ProfGetError", ProfGetError(nullptr)},
        {"ProfSaveA", ProfSaveA(nullptr, path("x").c_str(), 0)},
        {"ProfSaveW", ProfSaveW(nullptr, u"x", 0)},
        {"ProfSaveToStream", ProfSaveToStream(nullptr, memory.stream(), 0)},
        {"ProfSaveToClipboard", ProfSaveToClipboard(nullptr, nullptr, 0)},
        {"ProfEmptyList", ProfEmptyList(nullptr, nullptr)},
        {"ProfDebugList", ProfDebugList(nullptr, nullptr)},
        {"ProfGetStringA", ProfGetStringA(nullptr, nullptr, "a", buffer, sizeof buffer, "d")},
        {"ProfGetStringW", ProfGetStringW(nullptr, nullptr, u"a", nullptr, 0, nullptr)},
        {"ProfGetStringLengthA", ProfGetStringLengthA(nullptr, nullptr, "a")},
        {"ProfGetStringLengthW", ProfGetStringLengthW(nullptr, nullptr, u"a")},
        {"ProfCopyList (source)", ProfCopyList(job, nullptr, nullptr, nullptr)},
        {"ProfCopyList (target)", ProfCopyList(nullptr, nullptr, job, nullptr)},
    };
    for (const auto &[name, result] : table)
        EXPECT_EQ(result, PROF_ERR_INVALID) << name;
    EXPECT_STREQ(buffer, "d"); // the default is copied first

    const std::pair<const char *, int> notFound[] = {
        {"ProfGetBoolA", ProfGetBoolA(nullptr, nullptr, "a", &i, 1)},
        {"ProfGetIntA", ProfGetIntA(nullptr, nullptr, "a", &i, 1)},
        {"ProfGetLongA", ProfGetLongA(nullptr, nullptr, "a", &l, 1)},
        {"ProfGetDoubleA", ProfGetDoubleA(nullptr, nullptr, "a", &d, 1)},
        {"ProfGetPointA", ProfGetPointA(nullptr, nullptr, "a", &p, nullptr)},
        {"ProfGetRectA", ProfGetRectA(nullptr, nullptr, "a", &r, nullptr)},
        {"ProfGetRectLTWHA", ProfGetRectLTWHA(nullptr, nullptr, "a", &r, nullptr)},
        {"ProfGetColorrefA", ProfGetColorrefA(nullptr, nullptr, "a", &c, 1)},
        {"ProfGetIntW", ProfGetIntW(nullptr, nullptr, u"a", &i, 1)},
    };
    for (const auto &[name, result] : notFound)
        EXPECT_EQ(result, PROF_ERR_NOTFOUND) << name;
    EXPECT_EQ(i, 1);
    EXPECT_EQ(d, 1.0);

    EXPECT_EQ(ProfEnumA(nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(ProfGetListA(nullptr, nullptr, "a"), nullptr);
    EXPECT_EQ(ProfCreateListA(nullptr, nullptr, "a"), nullptr);
    EXPECT_EQ(ProfAppendListW(nullptr, nullptr, u"a"), nullptr);
    // the void exports simply do nothing
    ProfSetStringA(nullptr, nullptr, "a", "b");
    ProfDeleteItemA(nullptr, nullptr, "a");
    ProfDeleteListW(nullptr, nullptr, nullptr);
    ProfJobAddRef(nullptr);
    ProfJobClose(nullptr);
}

TEST_F(Jobs, AddRefThenCloseTwiceDestroysOnTheSecondClose)
{
    // An exclusive job holds its file; the file is free again only when the
    // job is destroyed.
    ProfJob *held = ProfJobOpenExclusiveA(path("held.prf").c_str());
    ProfSetStringA(held, nullptr, "k", "v");
    ProfJobAddRef(held);
    ProfJobClose(held);
    char buffer[4];
    EXPECT_EQ(ProfGetStringA(held, nullptr, "k", buffer, sizeof buffer, ""), 1); // still alive
    EXPECT_EQ(ProfSaveA(held, nullptr, PROF_FORMAT_TEXT), PROF_OK);
    ProfJobClose(held);
    ProfJob *again = ProfJobOpenExclusiveA(path("held.prf").c_str());
    EXPECT_EQ(ProfGetError(again), PROF_OK);
    EXPECT_EQ(ProfGetStringA(again, nullptr, "k", buffer, sizeof buffer, ""), 1);
    ProfJobClose(again);
}

TEST_F(Jobs, FormatNumbersOtherThanZeroAndTwoWriteXml)
{
    ProfSetStringA(job, nullptr, "a", "1");
    for (int format : {1, 7, -3}) {
        ASSERT_EQ(ProfSaveA(job, path("x.prf").c_str(), format), PROF_OK);
        EXPECT_EQ(testsupport::readFile(path("x.prf")).substr(0, 4), std::string("\xFF\xFE<\0", 4)) << format;
    }
    ASSERT_EQ(ProfSaveA(job, path("t.prf").c_str(), 0), PROF_OK);
    EXPECT_EQ(testsupport::readFile(path("t.prf")), "[/]\r\n {\r\n a=1\r\n }\r\n");
    ASSERT_EQ(ProfSaveA(job, path("f.prf").c_str(), 2), PROF_OK);
    EXPECT_EQ(testsupport::readFile(path("f.prf")).substr(0, 5), "<?xml");
}

TEST_F(Jobs, TextSaveOfAnUnrepresentableValueIsRefused)
{
    testsupport::writeFile(path("t.prf"), "old");
    ProfSetStringA(job, nullptr, "multi", "line\r\nvalue");
    EXPECT_EQ(ProfSaveA(job, path("t.prf").c_str(), PROF_FORMAT_TEXT), PROF_ERR_VALUE);
    EXPECT_EQ(testsupport::readFile(path("t.prf")), "old");
}

TEST_F(Jobs, OptionsAndVersion)
{
    EXPECT_EQ(ProfSetOption(PROF_OPTION_CODEPAGE, 932), 1);
    EXPECT_EQ(ProfGetOption(PROF_OPTION_CODEPAGE), 932);
    EXPECT_EQ(ProfSetOption(PROF_OPTION_CODEPAGE, 4711), 0); // unusable: refused
    EXPECT_EQ(ProfGetOption(PROF_OPTION_CODEPAGE), 932);
    EXPECT_EQ(ProfSetOption(3, 5), 2);
    EXPECT_EQ(ProfGetOption(2), 0);
    const std::pair<int, int> versions[] = {{0, 3586}, {1, 14}, {2, 2}, {3, -1}, {-1, -1}};
    for (const auto &[selector, expected] : versions)
        EXPECT_EQ(ProfGetVersion(selector), expected) << selector;
    ProfSetDebug(1);
    EXPECT_EQ(ProfDebugList(job, nullptr), 0);
}

TEST_F(Jobs, DoubleByteNamesRoundTripUnderTheirPage)
{
    ASSERT_EQ(ProfSetOption(PROF_OPTION_CODEPAGE, 932), 1);
    ProfSetStringA(job, nullptr, "\x95\x5C/\x95\x5C", "\x95\x5C\x95\x5C");
    ASSERT_EQ(ProfSaveA(job, path("sjis.prf").c_str(), PROF_FORMAT_XML), PROF_OK);
    ProfJob *back = ProfJobOpenA(path("sjis.prf").c_str());
    char buffer[8];
    EXPECT_EQ(ProfGetStringA(back, nullptr, "\x95\x5C/\x95\x5C", buffer, sizeof buffer, ""), 4);
    EXPECT_STREQ(buffer, "\x95\x5C\x95\x5C");
    ProfJobClose(back);
    // the UTF-16 file holds the character itself
    EXPECT_NE(testsupport::readFile(path("sjis.prf")).find(std::string("\x68\x88", 2)), std::string::npos);
}

TEST_F(Jobs, StreamsAndClipboard)
{
    testsupport::MemoryStream memory;
    ProfSetStringA(job, nullptr, "l/a", "1");
    EXPECT_EQ(ProfSaveToStream(job, memory.stream(), PROF_FORMAT_XML), PROF_OK);
    ProfJob *fromStream = ProfJobOpenStream(memory.stream());
    EXPECT_EQ(get("l/a"), "1");
    char buffer[4];
    EXPECT_EQ(ProfGetStringA(fromStream, nullptr, "l/a", buffer, sizeof buffer, ""), 1);
    ProfJobClose(fromStream);
    EXPECT_EQ(memory.references, 1);

    ProfJob *named = ProfJobOpenStreamObjectW(nullptr, u"[Root]", 1);
    EXPECT_EQ(ProfGetError(named), PROF_OK);
    ProfJobClose(named);

    EXPECT_EQ(ProfIsClipboardDataAvailable(), 0);
    EXPECT_EQ(ProfSaveToClipboard(job, nullptr, PROF_FORMAT_TEXT), PROF_OK);
    EXPECT_NE(ProfIsClipboardDataAvailable(), 0);
    ProfJob *pasted = ProfJobOpenClipboard(nullptr);
    EXPECT_EQ(ProfGetError(pasted), PROF_OK);
    EXPECT_EQ(ProfGetStringA(pasted, nullptr, "l/a", buffer, sizeof buffer, ""), 1);
    ProfJobClose(pasted);
}

TEST_F(Jobs, EmptiedExclusiveJobEmptiesItsFile)
{
    testsupport::writeFile(path("e.prf"), "[/]\r\n {\r\n a=1\r\n }\r\n");
    ProfJob *exclusive = ProfJobOpenExclusiveA(path("e.prf").c_str());
    EXPECT_EQ(ProfEmptyList(exclusive, nullptr), 0);
    EXPECT_EQ(ProfSaveA(exclusive, nullptr, PROF_FORMAT_TEXT), PROF_OK);
    ProfJobClose(exclusive);
    EXPECT_EQ(testsupport::readFile(path("e.prf")), "");
}
