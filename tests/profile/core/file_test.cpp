#include "core/file.h"
#include "core/retry.h"

#include "diagnostics_capture.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tbpr;
using namespace std::chrono_literals;

namespace {

class ShortRetries : public testing::Test {
protected:
    ShortRetries() { setRetryTimeout(300ms); }
    ~ShortRetries() override { setRetryTimeout(10000ms); }
    testsupport::TempDir dir;
};

size_t entriesIn(const std::string &path)
{
    size_t count = 0;
    if (DIR *d = opendir(path.c_str())) {
        while (dirent *entry = readdir(d)) {
            if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                ++count;
        }
        closedir(d);
    }
    return count;
}

} // namespace

TEST(FileErrors, ErrnoClasses)
{
    const std::pair<int, OpenError> table[] = {
        {ENOENT, OpenError::NotFound}, {ENOTDIR, OpenError::NotFound}, {EAGAIN, OpenError::Locked},
        {EEXIST, OpenError::Exists},   {EACCES, OpenError::Denied},    {EPERM, OpenError::Denied},
        {EROFS, OpenError::Denied},    {EISDIR, OpenError::Other},     {ENOSPC, OpenError::Other},
    };
    for (const auto &[error, expected] : table)
        EXPECT_EQ(openErrorFromErrno(error), expected) << error;
}

TEST_F(ShortRetries, OpenFailuresAreClassified)
{
    auto missing = File::open((dir / "no/such").string(), OpenAccess::Read, OpenCreation::Existing,
                              OpenSharing::Read, kProfileFileFlags);
    EXPECT_FALSE(missing->usable());
    EXPECT_EQ(missing->error(), OpenError::NotFound);
    EXPECT_NE(missing->errorText().find("(00000002)"), std::string::npos);

    const std::string path = (dir / "held").string();
    auto holder = File::open(path, OpenAccess::ReadWrite, OpenCreation::OpenOrCreate, OpenSharing::Read,
                             kProfileFileFlags);
    ASSERT_TRUE(holder->usable());
    auto second =
        File::open(path, OpenAccess::Read, OpenCreation::Existing, OpenSharing::Read, kProfileFileFlags);
    EXPECT_FALSE(second->usable());
    EXPECT_EQ(second->error(), OpenError::Locked);
    holder.reset();
    second = File::open(path, OpenAccess::Read, OpenCreation::Existing, OpenSharing::Read, kProfileFileFlags);
    EXPECT_TRUE(second->usable());
    // readers share
    auto third =
        File::open(path, OpenAccess::Read, OpenCreation::Existing, OpenSharing::Read, kProfileFileFlags);
    EXPECT_TRUE(third->usable());
}

TEST_F(ShortRetries, TwoObjectsOfOneProcessContendForAByte)
{
    const std::string path = testsupport::writeFile(dir / "f", "data").string();
    auto first = File::open(path, OpenAccess::ReadWrite, OpenCreation::Existing, OpenSharing::ReadWrite, 0);
    ASSERT_TRUE(first->usable());
    ASSERT_TRUE(first->lockRange(0, 1));

    // Another open of the same file in this process: OFD locks conflict.
    const int fd = ::open(path.c_str(), O_RDWR);
    auto second = File::fromDescriptor(fd);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(second->lockRange(0, 1));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 250ms);
    first->unlockRange({0, 1});
    EXPECT_TRUE(second->lockRange(0, 1));
    second.reset();
    ::close(fd);
}

TEST_F(ShortRetries, ALockHeldByAnotherProcessIsRespected)
{
    const std::string path = testsupport::writeFile(dir / "f", "data").string();
    int toParent[2];
    int toChild[2];
    ASSERT_EQ(pipe(toParent), 0);
    ASSERT_EQ(pipe(toChild), 0);
    const pid_t child = fork();
    if (child == 0) {
        auto held =
            File::open(path, OpenAccess::ReadWrite, OpenCreation::Existing, OpenSharing::ReadWrite, 0);
        const bool locked = held->usable() && held->lockRange(0, 1).has_value();
        char c = locked ? 'y' : 'n';
        (void)!write(toParent[1], &c, 1);
        (void)!read(toChild[0], &c, 1);
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(toParent[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    // A plain descriptor: only the byte lock is tested here, not the sharing lock.
    const int fd = ::open(path.c_str(), O_RDWR);
    auto mine = File::fromDescriptor(fd);
    EXPECT_FALSE(mine->lockRange(0, 1));
    (void)!write(toChild[1], "x", 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(mine->lockRange(0, 1)); // released when the holder died
    mine.reset();
    ::close(fd);
    for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]})
        ::close(fd);
}

TEST_F(ShortRetries, LockBookkeepingMessages)
{
    testsupport::DiagnosticsCapture capture;
    const std::string path = testsupport::writeFile(dir / "f", "data").string();
    auto file = File::open(path, OpenAccess::ReadWrite, OpenCreation::Existing, OpenSharing::None, 0);
    auto range = file->lockRange(0, 1);
    ASSERT_TRUE(range);
    file->unlockRange(*range);
    EXPECT_FALSE(capture.contains("tried to unlock"));
    file->unlockRange(*range);
    EXPECT_TRUE(
        capture.contains("tried to unlock a lock that has already been removed (or has never existed)"));

    file->lockRange(0, 1);
    file.reset();
    EXPECT_TRUE(
        capture.contains("portions of the file are still locked. they will be unlocked automatically..."));
}

TEST_F(ShortRetries, ReadOnlyCreateStillOpensAndWarns)
{
    testsupport::DiagnosticsCapture capture;
    const std::string path = testsupport::writeFile(dir / "f", "keep").string();
    auto file =
        File::open(path, OpenAccess::Read, OpenCreation::CreateNew, OpenSharing::Read, kProfileFileFlags);
    EXPECT_TRUE(file->usable());
    EXPECT_TRUE(capture.contains("creating a file without write access does not make much sense"));
}

TEST_F(ShortRetries, CreateNewTruncatesOnlyWhenTheOpenerIsAlone)
{
    const std::string path = testsupport::writeFile(dir / "f", "content").string();
    auto holder = File::open(path, OpenAccess::Read, OpenCreation::Existing, OpenSharing::Read, 0);
    ASSERT_TRUE(holder->usable());
    auto writer = File::open(path, OpenAccess::Write, OpenCreation::CreateNew, OpenSharing::None, 0);
    EXPECT_FALSE(writer->usable());
    EXPECT_EQ(testsupport::readFile(path), "content");
    holder.reset();
    writer = File::open(path, OpenAccess::Write, OpenCreation::CreateNew, OpenSharing::None, 0);
    EXPECT_TRUE(writer->usable());
    EXPECT_EQ(testsupport::readFile(path), "");
}

TEST_F(ShortRetries, TemporaryFilesLeaveNothingBehind)
{
    setenv("TMPDIR", dir.str().c_str(), 1);
    {
        auto temp = File::temporary();
        ASSERT_TRUE(temp->usable());
        EXPECT_EQ(temp->write("abc", 3), 3u);
        char buffer[4] = {};
        EXPECT_EQ(temp->readAt(0, buffer, 3), 3u);
        EXPECT_STREQ(buffer, "abc");
        EXPECT_EQ(entriesIn(dir.str()), 0u); // never visible, even while open
    }
    // killed while holding one: still nothing left
    const pid_t child = fork();
    if (child == 0) {
        auto temp = File::temporary();
        temp->write("x", 1);
        raise(SIGKILL);
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(entriesIn(dir.str()), 0u);
    unsetenv("TMPDIR");
}

TEST(FileBasics, ReadWriteSeekAndCut)
{
    testsupport::TempDir dir;
    const std::string path = (dir / "f").string();
    auto file = File::open(path, OpenAccess::ReadWrite, OpenCreation::OpenOrCreate, OpenSharing::Read,
                           kProfileFileFlags);
    ASSERT_TRUE(file->usable());
    EXPECT_EQ(file->write("hello world", 11), 11u);
    EXPECT_EQ(file->size(), 11u);
    file->seek(5);
    EXPECT_TRUE(file->setEnd());
    EXPECT_EQ(file->size(), 5u);
    EXPECT_EQ(file->displayName(), path);
}
