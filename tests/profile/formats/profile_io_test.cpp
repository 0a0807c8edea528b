#include "core/profile_paths.h"
#include "core/retry.h"
#include "formats/clipboard_store.h"
#include "formats/profile_io.h"

#include "diagnostics_capture.h"
#include "format_fixtures.h"
#include "memory_stream.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tbpr;
using namespace std::chrono_literals;
using testsupport::describe;
using testsupport::readFile;
using testsupport::utf16le;
using testsupport::writeFile;

namespace {

class ProfileIo : public testing::Test {
protected:
    ProfileIo()
    {
        setCurrentCodePage(65001);
        setRetryTimeout(300ms);
        setenv("XDG_RUNTIME_DIR", dir.str().c_str(), 1);
    }
    ~ProfileIo() override { setRetryTimeout(10000ms); }

    std::string path(const std::string &name) const { return (dir / name).string(); }

    testsupport::TempDir dir;
};

// Runs body in a child process; the parent continues when the child has
// reached "ready" and lets it finish when the returned guard is destroyed.
class ChildProcess {
public:
    template <typename Body> explicit ChildProcess(Body body)
    {
        if (pipe(ready_) != 0 || pipe(finish_) != 0)
            std::abort();
        pid_ = fork();
        if (pid_ == 0) {
            body();
            char c = 'r';
            (void)!write(ready_[1], &c, 1);
            (void)!read(finish_[0], &c, 1);
            _exit(0);
        }
        char c = 0;
        (void)!read(ready_[0], &c, 1);
    }
    ~ChildProcess()
    {
        (void)!write(finish_[1], "f", 1);
        int status = 0;
        waitpid(pid_, &status, 0);
        for (int fd : {ready_[0], ready_[1], finish_[0], finish_[1]})
            close(fd);
    }

private:
    pid_t pid_ = -1;
    int ready_[2] = {-1, -1};
    int finish_[2] = {-1, -1};
};

} // namespace

TEST_F(ProfileIo, DetectionTable)
{
    struct Case {
        const char *name;
        std::string bytes;
        std::string expected;
        int error;
    };
    const Case cases[] = {
        {"UTF-16 XML", "\xFF\xFE" + utf16le(u"<profile>\r\n<item name=\"a\">1</item>\r\n</profile>\r\n"),
         "a=1", 0},
        {"UTF-16 text", "\xFF\xFE" + utf16le(u"[/]\r\n{\r\na=1\r\n}\r\n"), "a=1", 0},
        {"8-bit XML (XFDF)",
         "<?xml?>\r\n<xfdf>\r\n<fields>\r\n<field name=\"a\">\r\n<value>1</value>\r\n</field>\r\n", "a=1", 0},
        {"INI", "[General]\r\nkey = value\r\n[Second]\r\nk2=v2\r\n}\r\n", "key=value,[Second]{k2=v2,}=}", 0},
        {"text", "[/]\r\n{\r\n[General]\r\n{\r\na=1\r\n}\r\n}\r\n", "[General]{a=1}", 0},
        {"empty", "", "", 0},
        {"one byte", "x", "", 0},
        {"XML parse error", "\xFF\xFE" + utf16le(u"<profile>\r\nbad\r\n"), "", -7},
    };
    for (const Case &c : cases) {
        writeFile(path("f"), c.bytes);
        auto job = openProfileJobFromFile(path("f").c_str(), false);
        EXPECT_EQ(describe(job->root), c.expected) << c.name;
        EXPECT_EQ(job->lastError, c.error) << c.name;
    }
}

TEST_F(ProfileIo, ParseErrorIsReportedWithPathAndLine)
{
    testsupport::DiagnosticsCapture capture;
    writeFile(path("bad"), "\xFF\xFE" + utf16le(u"<profile>\r\n<item name=\"a\">1\r\n"));
    auto job = openProfileJobFromFile(path("bad").c_str(), false);
    EXPECT_EQ(job->lastError, -7);
    EXPECT_TRUE(capture.contains(path("bad") + ": error 'prof::xml::item no '</item>' tag found' in line 2"));
}

TEST_F(ProfileIo, MissingFilesAndNullPaths)
{
    auto missing = openProfileJobFromFile(path("missing").c_str(), false);
    EXPECT_EQ(missing->lastError, -10);
    auto fresh = openProfileJobFromFile(nullptr, false);
    EXPECT_EQ(fresh->lastError, 0);
    EXPECT_EQ(saveProfileJob(*fresh, nullptr, SaveFormat::Text), -3);

    // an exclusive open of a missing path creates the file and keeps it
    auto exclusive = openProfileJobFromFile(path("new").c_str(), true);
    EXPECT_EQ(exclusive->lastError, 0);
    EXPECT_TRUE(exclusive->keptFile);
    EXPECT_EQ(access(path("new").c_str(), F_OK), 0);
    // ... and holds it: another open waits and reports the lock
    auto other = openProfileJobFromFile(path("new").c_str(), false);
    EXPECT_EQ(other->lastError, -1);
}

TEST_F(ProfileIo, EmptiedJobsEmptyTheirFiles)
{
    writeFile(path("f"), "[/]\r\n {\r\n a=1\r\n }\r\n");
    auto job = openProfileJobFromFile(path("f").c_str(), true);
    ASSERT_EQ(describe(job->root), "a=1");
    job->root.clear();
    EXPECT_EQ(saveProfileJob(*job, nullptr, SaveFormat::Text), 0);
    job.reset();
    EXPECT_EQ(readFile(path("f")), "");

    writeFile(path("g"), "old content");
    ProfJob empty;
    EXPECT_EQ(saveProfileJob(empty, path("g").c_str(), SaveFormat::Xml), 0);
    EXPECT_EQ(readFile(path("g")), "");
}

TEST_F(ProfileIo, ExclusiveJobRewritesItsFileInPlace)
{
    writeFile(path("f"), "[/]\r\n {\r\n a=1\r\n b=a long value that makes the old file longer\r\n }\r\n");
    auto job = openProfileJobFromFile(path("f").c_str(), true);
    job->root.clear();
    setValue(job->root, "a", "2");
    EXPECT_EQ(saveProfileJob(*job, path("f").c_str(), SaveFormat::Text), 0);
    EXPECT_EQ(readFile(path("f")), "[/]\r\n {\r\n a=2\r\n }\r\n");
}

TEST_F(ProfileIo, ALockHeldByAnotherProcessMakesOpensWaitAndSavesKeepTheFile)
{
    writeFile(path("f"), "[/]\r\n {\r\n a=1\r\n }\r\n");
    const std::string original = readFile(path("f"));
    ChildProcess holder([&] {
        static std::unique_ptr<ProfJob> held;
        held = openProfileJobFromFile(path("f").c_str(), true);
    });
    const auto start = std::chrono::steady_clock::now();
    auto job = openProfileJobFromFile(path("f").c_str(), false);
    EXPECT_EQ(job->lastError, -1);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 250ms);

    ProfJob other;
    setValue(other.root, "x", "y");
    EXPECT_EQ(saveProfileJob(other, path("f").c_str(), SaveFormat::Text), -3);
    EXPECT_EQ(readFile(path("f")), original);
}

TEST_F(ProfileIo, TextSaveRefusesUnrepresentableItemsBeforeTouchingTheTarget)
{
    testsupport::DiagnosticsCapture capture;
    writeFile(path("f"), "keep me");
    ProfJob job;
    setValue(job.root, "ok", "1");
    setValue(job.root, "l/bad", "two\r\nlines");
    EXPECT_EQ(saveProfileJob(job, path("f").c_str(), SaveFormat::Text), -9);
    EXPECT_EQ(readFile(path("f")), "keep me");
    EXPECT_TRUE(capture.contains("'bad'"));
    EXPECT_EQ(saveProfileJob(job, path("f").c_str(), SaveFormat::Xml), 0);
}

TEST_F(ProfileIo, StreamJobsAtDepthTwoWriteNoHeader)
{
    testsupport::MemoryStream memory;
    {
        auto job = openProfileJobFromStream(memory.stream(), "Settings", 2);
        EXPECT_EQ(memory.references, 2);
        setValue(job->root, "a", "1");
        EXPECT_EQ(saveProfileJobToStream(nullptr, *job, SaveFormat::Text), 0);
        EXPECT_EQ(memory.bytes, "  [Settings]\r\n   {\r\n   a=1\r\n   }\r\n");
        EXPECT_EQ(saveProfileJobToStream(nullptr, *job, SaveFormat::Xml), 0);
        EXPECT_EQ(memory.bytes,
                  utf16le(u"  <list name=\"Settings\">\r\n   <item name=\"a\">1</item>\r\n  </list>\r\n"));
    }
    EXPECT_EQ(memory.references, 1);
}

TEST_F(ProfileIo, StreamJobsAtDepthZeroRoundTrip)
{
    testsupport::MemoryStream memory;
    ProfJob job;
    setValue(job.root, "l/a", "1");
    EXPECT_EQ(saveProfileJobToStream(memory.stream(), job, SaveFormat::Xml), 0);
    EXPECT_EQ(memory.bytes.substr(0, 2), "\xFF\xFE");
    auto back = openProfileJobFromStream(memory.stream(), "/", 0);
    EXPECT_EQ(back->lastError, 0);
    EXPECT_EQ(describe(back->root), "[l]{a=1}");

    // a stream that delivers less than it claims is a load failure, not an empty job
    testsupport::MemoryStream shortStream;
    shortStream.bytes = "[/]\r\n {\r\n a=1\r\n }\r\n";
    shortStream.readLimit = 4;
    auto partial = openProfileJobFromStream(shortStream.stream(), "/", 0);
    EXPECT_EQ(partial->lastError, -10);
}

TEST_F(ProfileIo, ClipboardRoundTripsBetweenProcesses)
{
    EXPECT_FALSE(clipboardHoldsProfile());
    auto nothing = openProfileJobFromClipboard();
    EXPECT_EQ(nothing->lastError, -1);
    {
        ChildProcess copier([] {
            ProfJob job;
            setValue(job.root, "copied/value", "Grüße");
            if (saveProfileJobToClipboard(job, SaveFormat::Xml) != 0)
                _exit(1);
        });
    }
    EXPECT_TRUE(clipboardHoldsProfile());
    EXPECT_EQ(readFile(FileStoreClipboard::directory() + "/text_plain"),
              std::string("PROF data available") + '\0');
    auto pasted = openProfileJobFromClipboard();
    EXPECT_EQ(pasted->lastError, 0);
    EXPECT_EQ(describe(pasted->root), "[copied]{value=Grüße}");
}

TEST_F(ProfileIo, SourcesNestedTooDeeplyAreRefused)
{
    std::string text = "[/]\r\n{\r\n";
    std::u16string xml = u"<profile>\r\n";
    for (int i = 0; i < 5000; ++i) {
        text += "[a]\r\n{\r\n";
        xml += u"<list name=\"a\">\r\n";
    }
    writeFile(path("deep.prf"), text);
    writeFile(path("deep.xml"), "\xFF\xFE" + utf16le(xml));
    for (const char *name : {"deep.prf", "deep.xml"}) {
        auto job = openProfileJobFromFile(path(name).c_str(), false);
        EXPECT_EQ(job->lastError, -7) << name;
    }
    // the deepest accepted level still loads
    std::string fine = "[/]\r\n{\r\n";
    for (int i = 0; i < 999; ++i)
        fine += "[a]\r\n{\r\n";
    writeFile(path("fine.prf"), fine + "x=1\r\n");
    EXPECT_EQ(openProfileJobFromFile(path("fine.prf").c_str(), false)->lastError, 0);
}
