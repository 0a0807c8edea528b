#include "tbpr14.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct JobCloser {
    void operator()(ProfJob *job) const { ProfJobClose(job); }
};
using Job = std::unique_ptr<ProfJob, JobCloser>;

Job newJob()
{
    return Job(ProfJobOpenA(nullptr));
}

int openRead(const fs::path &path)
{
    return open(path.c_str(), O_RDONLY | O_CLOEXEC);
}
int openWrite(const fs::path &path)
{
    return open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

std::string randomBytes(std::size_t size)
{
    std::mt19937 rng(42);
    std::string bytes(size, '\0');
    for (char &c : bytes)
        c = char(rng());
    return bytes;
}

struct Item {
    std::string name;
    std::string value;
    ProfList *sublist;
};

// The items of a list, in order.
std::vector<Item> itemsOf(ProfJob *job, ProfList *list)
{
    std::vector<Item> items;
    ProfEnumA(
        job, list,
        [](ProfJob *, const char *name, const char *value, ProfList *sublist, void *data) {
            static_cast<std::vector<Item> *>(data)->push_back({name, value ? value : "", sublist});
            return 1;
        },
        &items);
    return items;
}

// Values named name directly in the list.
std::vector<std::string> values(ProfJob *job, ProfList *list, const std::string &name)
{
    std::vector<std::string> result;
    for (const auto &item : itemsOf(job, list)) {
        if (!item.sublist && item.name == name)
            result.push_back(item.value);
    }
    return result;
}

std::vector<ProfList *> entries(ProfJob *job)
{
    std::vector<ProfList *> result;
    for (const auto &item : itemsOf(job, nullptr)) {
        if (item.sublist && item.name == "File.Entry")
            result.push_back(item.sublist);
    }
    return result;
}

ProfList *appendEntry(ProfJob *job, const char *name, const std::string &contents)
{
    ProfList *entry = ProfAppendListA(job, nullptr, "File.Entry");
    if (name)
        ProfAppendStringA(job, entry, "Name", name);
    ProfAppendStringA(job, entry, "Contents", contents.c_str());
    return entry;
}

// A caller stream over a string.
struct MemoryStream {
    ProfStream base;
    std::string data;
    uint64_t position = 0;
    int references = 1;

    static MemoryStream *self(ProfStream *s) { return reinterpret_cast<MemoryStream *>(s); }
    static int read(ProfStream *s, void *buffer, uint32_t size, uint32_t *done)
    {
        auto *m = self(s);
        const uint64_t n =
            std::min<uint64_t>(size, m->data.size() - std::min<uint64_t>(m->position, m->data.size()));
        std::memcpy(buffer, m->data.data() + m->position, n);
        m->position += n;
        *done = uint32_t(n);
        return PROF_STREAM_OK;
    }
    static int write(ProfStream *s, const void *buffer, uint32_t size, uint32_t *done)
    {
        auto *m = self(s);
        if (m->data.size() < m->position + size)
            m->data.resize(m->position + size);
        std::memcpy(m->data.data() + m->position, buffer, size);
        m->position += size;
        *done = size;
        return PROF_STREAM_OK;
    }
    static int seek(ProfStream *s, int64_t offset, int origin, uint64_t *position)
    {
        auto *m = self(s);
        const int64_t base = origin == PROF_SEEK_SET   ? 0
                             : origin == PROF_SEEK_CUR ? int64_t(m->position)
                                                       : int64_t(m->data.size());
        m->position = uint64_t(base + offset);
        if (position)
            *position = m->position;
        return PROF_STREAM_OK;
    }
    static int setSize(ProfStream *s, uint64_t size)
    {
        self(s)->data.resize(size);
        return PROF_STREAM_OK;
    }
    static int stat(ProfStream *s, uint64_t *size)
    {
        *size = self(s)->data.size();
        return PROF_STREAM_OK;
    }
    static uint32_t addRef(ProfStream *s) { return uint32_t(++self(s)->references); }
    static uint32_t release(ProfStream *s) { return uint32_t(--self(s)->references); }

    MemoryStream()
    {
        static const ProfStreamVtbl vtbl = {&read,   &write, &seek,   &setSize, nullptr,
                                            nullptr, &stat,  &addRef, &release};
        base.vtbl = &vtbl;
    }
    ProfStream *stream() { return &base; }
};

} // namespace

TEST(EmbeddedFiles, AppendTwiceGetReturnsTheFirst)
{
    testsupport::TempDir temp;
    const auto first = testsupport::writeFile(temp / "a.bin", randomBytes(1000));
    const auto second = testsupport::writeFile(temp / "b.bin", "x"); // a 1-byte file
    auto job = newJob();
    for (const auto &path : {first, second}) {
        const int fd = openRead(path);
        ProfAppendFileA(job.get(), nullptr, "files/data", "pw", fd);
        close(fd);
    }
    ProfList *files = ProfGetListA(job.get(), nullptr, "files");
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(values(job.get(), files, "data").size(), 2u);

    // The target holds a longer older content: it is cut to the new one.
    const auto out = testsupport::writeFile(temp / "out.bin", std::string(5000, 'o'));
    int fd = openWrite(out);
    EXPECT_EQ(ProfGetFileA(job.get(), nullptr, "/files/data", "pw", fd), 0);
    close(fd);
    EXPECT_TRUE(testsupport::readFile(out) == randomBytes(1000));

    // The 1-byte file round-trips through the second item's value.
    auto single = newJob();
    fd = openRead(second);
    ProfAppendFileW(single.get(), nullptr, u"one", nullptr, fd);
    close(fd);
    fd = openWrite(temp / "one.out");
    EXPECT_EQ(ProfGetFileW(single.get(), nullptr, u"one", u"", fd), 0);
    close(fd);
    EXPECT_EQ(testsupport::readFile(temp / "one.out"), "x");
}

TEST(EmbeddedFiles, GetFileErrorsLeaveTheTargetAlone)
{
    testsupport::TempDir temp;
    auto job = newJob();
    ProfAppendStringA(job.get(), nullptr, "empty", "");
    const auto source = testsupport::writeFile(temp / "s", "secret content");
    int fd = openRead(source);
    ProfAppendFileA(job.get(), nullptr, "sealed", "right", fd);
    close(fd);

    const auto target = testsupport::writeFile(temp / "t", "previous");
    fd = openWrite(target);
    EXPECT_EQ(ProfGetFileA(job.get(), nullptr, "empty", "", fd), -6);
    EXPECT_EQ(ProfGetFileA(job.get(), nullptr, "missing", "", fd), -6);
    EXPECT_EQ(ProfGetFileA(job.get(), nullptr, "sealed", "wrong", fd), -9);
    EXPECT_EQ(ProfGetFileA(job.get(), nullptr, "sealed", nullptr, fd), -9);
    EXPECT_EQ(ProfGetFileA(nullptr, nullptr, "sealed", "right", fd), -5);
    close(fd);
    EXPECT_EQ(testsupport::readFile(target), "previous");
    ProfAppendFileA(nullptr, nullptr, "x", "", 0); // the invalid job does nothing
}

TEST(EmbeddedFiles, PipesAreReadAndWrittenInSequence)
{
    auto job = newJob();
    int in[2];
    ASSERT_EQ(pipe(in), 0);
    ASSERT_EQ(write(in[1], "through a pipe", 14), 14);
    close(in[1]);
    ProfAppendFileA(job.get(), nullptr, "piped", "", in[0]);
    close(in[0]);

    int out[2];
    ASSERT_EQ(pipe(out), 0);
    EXPECT_EQ(ProfGetFileA(job.get(), nullptr, "piped", "", out[1]), 0);
    close(out[1]);
    char buffer[64] = {};
    EXPECT_EQ(read(out[0], buffer, sizeof buffer), 14);
    close(out[0]);
    EXPECT_STREQ(buffer, "through a pipe");
}

TEST(EmbeddedFiles, Streams)
{
    auto job = newJob();
    MemoryStream source;
    source.data = randomBytes(3000);
    source.position = 17; // read from the start whatever the position
    ProfAppendStreamA(job.get(), nullptr, "stream", "k", source.stream());
    EXPECT_EQ(source.references, 1);

    MemoryStream target;
    target.data = std::string(9000, 't');
    EXPECT_EQ(ProfGetStreamW(job.get(), nullptr, u"stream", u"k", target.stream()), 0);
    EXPECT_TRUE(target.data == source.data);
    EXPECT_EQ(target.position, 0u);
    EXPECT_EQ(ProfGetStreamA(job.get(), nullptr, "nothing", "k", target.stream()), -6);
    EXPECT_EQ(ProfGetStreamA(nullptr, nullptr, "stream", "k", target.stream()), -5);
}

TEST(EmbeddedFiles, PatternTakesRegularFilesOnly)
{
    testsupport::TempDir temp;
    testsupport::writeFile(temp / "one.txt", "first");
    testsupport::writeFile(temp / "two.txt", "second");
    fs::create_directory(temp / "sub.txt");
    ASSERT_EQ(mkfifo((temp / "fifo.txt").c_str(), 0600), 0); // opening it would block
    testsupport::writeFile(temp / "other.dat", "not matched");
    auto job = newJob();
    EXPECT_EQ(ProfAppendFilesA(job.get(), nullptr, (temp.str() + "/*.txt").c_str(), "", nullptr), 2);
    const auto found = entries(job.get());
    ASSERT_EQ(found.size(), 2u);
    const auto first = itemsOf(job.get(), found[0]);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].name, "Name");
    EXPECT_EQ(first[0].value, "one.txt");
    EXPECT_EQ(first[1].name, "Contents");
    EXPECT_EQ(values(job.get(), found[1], "Name"), std::vector<std::string>{"two.txt"});

    // An empty file counts but adds no entry; "*.*" means every file.
    testsupport::writeFile(temp / "empty.txt", "");
    auto all = newJob();
    EXPECT_EQ(ProfAppendFilesW(all.get(), nullptr, std::u16string(u"").c_str(), nullptr, nullptr), 0);
    const std::string pattern = temp.str() + "/*.*";
    const std::u16string widePattern(pattern.begin(), pattern.end());
    EXPECT_EQ(ProfAppendFilesW(all.get(), nullptr, widePattern.c_str(), u"pw", nullptr), 4);
    EXPECT_EQ(entries(all.get()).size(), 3u);
    EXPECT_EQ(ProfAppendFilesA(job.get(), nullptr, (temp.str() + "/none*").c_str(), "", nullptr), 0);
}

TEST(EmbeddedFiles, ExtractIntoAnExistingDirectory)
{
    testsupport::TempDir temp;
    testsupport::writeFile(temp / "in" / "a.txt", "alpha");
    testsupport::writeFile(temp / "in" / "b.bin", randomBytes(2048));
    auto job = newJob();
    ASSERT_EQ(ProfAppendFilesA(job.get(), nullptr, (temp.str() + "/in/*").c_str(), "pw", nullptr), 2);
    appendEntry(job.get(), nullptr, "@2@AAAA"); // no "Name"

    fs::create_directory(temp / "out");
    testsupport::writeFile(temp / "out" / "a.txt", std::string(100, 'z')); // replaced whole
    EXPECT_EQ(ProfExtractFilesA(job.get(), nullptr, (temp.str() + "/out").c_str(), "pw", nullptr), 2);
    EXPECT_EQ(testsupport::readFile(temp / "out" / "a.txt"), "alpha");
    EXPECT_TRUE(testsupport::readFile(temp / "out" / "b.bin") == randomBytes(2048));

    // A new directory is created; one that cannot be gives -4.
    EXPECT_EQ(ProfExtractFilesW(job.get(), nullptr, std::u16string(u"").c_str(), u"pw", nullptr), -4);
    const std::string fresh = temp.str() + "/fresh/";
    EXPECT_EQ(ProfExtractFilesA(job.get(), nullptr, fresh.c_str(), "pw", nullptr), 2);
    EXPECT_EQ(testsupport::readFile(temp / "fresh" / "a.txt"), "alpha");
    EXPECT_EQ(ProfExtractFilesA(job.get(), nullptr, (temp.str() + "/x/y/z").c_str(), "pw", nullptr), -4);
    EXPECT_EQ(ProfExtractFilesA(nullptr, nullptr, fresh.c_str(), "pw", nullptr), -5);
}

TEST(EmbeddedFiles, UnsafeAndUndecodableEntriesAreSkipped)
{
    testsupport::TempDir temp;
    auto job = newJob();
    const std::string content = "@2@" + std::string("BQAAAFF2WF9QYWNrZWQAeNrzSM3JyQcABYwB9Q=="); // "Hello"
    const std::string longName(300, 'n'); // kept whole, and too long for a file name
    for (const std::string &name : {std::string("../x"), std::string("/etc/x"), std::string(".."),
                                    std::string("."), longName, std::string("good")})
        appendEntry(job.get(), name.c_str(), content);
    appendEntry(job.get(), "broken", "@2@AAAAAAAAAAAAAAAAAAAAAAAA");
    appendEntry(job.get(), "sealed", "@2@/uz26bg0OP8czSvPVDrB56ZgCNrDgTMXpzUBSQ=="); // "Hello" under "secret"

    const fs::path out = temp / "deep" / "out";
    fs::create_directories(out);
    EXPECT_EQ(ProfExtractFilesA(job.get(), nullptr, out.c_str(), "", nullptr), 1);
    EXPECT_EQ(testsupport::readFile(out / "good"), "Hello");
    EXPECT_FALSE(fs::exists(temp / "deep" / "x"));
    EXPECT_FALSE(fs::exists(out / "broken"));
    EXPECT_FALSE(fs::exists(out / "sealed")); // wrong password: no file left
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 1);
}

TEST(EmbeddedFiles, SourcesOfFourGibibytesAreRefused)
{
    testsupport::TempDir temp;
    const fs::path huge = temp / "huge";
    const int fd = open(huge.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    // Sparse: 4 GiB + 10 bytes that would otherwise be stored as 10 bytes.
    if (ftruncate(fd, (off_t(1) << 32) + 10) != 0) {
        close(fd);
        GTEST_SKIP() << "no sparse file of 4 GiB here";
    }
    auto job = newJob();
    ProfAppendFileA(job.get(), nullptr, "huge", "", fd);
    close(fd);
    EXPECT_EQ(ProfGetStringLengthA(job.get(), nullptr, "huge"), -6);
}
