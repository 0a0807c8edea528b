#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "dbe/lock/TableLocks.h"
#include "temp_dir.h"

extern char **environ;

using dbe::lock::LockError;
using dbe::lock::LockHandle;
using dbe::lock::TableLocks;

namespace {

// Another process taking one lock through lock_probe; it keeps the lock until
// finish() or kill().
class Probe {
public:
    Probe(const std::string &dir, const std::string &table, const std::string &action)
    {
        int toChild[2];
        int fromChild[2];
        if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
        const std::string path = LOCK_PROBE_PATH;
        std::vector<char *> argv = {const_cast<char *>(path.c_str()), const_cast<char *>(dir.c_str()),
                                    const_cast<char *>(table.c_str()), const_cast<char *>(action.c_str()),
                                    nullptr};
        if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            throw std::runtime_error("spawn");
        posix_spawn_file_actions_destroy(&actions);
        close(toChild[0]);
        close(fromChild[1]);
        stdin_ = toChild[1];
        stdout_ = fromChild[0];
        char c;
        while (read(stdout_, &c, 1) == 1 && c != '\n')
            answer_ += c;
    }
    ~Probe() { finish(); }

    const std::string &answer() const { return answer_; }

    // Lets the probe end normally.
    void finish()
    {
        if (pid_ == 0)
            return;
        close(stdin_);
        close(stdout_);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }
    // The workstation dies without releasing anything.
    void kill()
    {
        ::kill(pid_, SIGKILL);
        finish();
    }

private:
    pid_t pid_ = 0;
    int stdin_ = -1;
    int stdout_ = -1;
    std::string answer_;
};

LockError::Reason refusal(const std::function<LockHandle()> &take)
{
    try {
        take();
    } catch (const LockError &e) {
        return e.reason();
    }
    throw std::runtime_error("lock was granted");
}

class TableLocksTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    std::shared_ptr<TableLocks> locks = TableLocks::forDirectory(QString::fromStdString(dir.str()));
};

TEST_F(TableLocksTest, WriteLockOfAnotherProcessRefusesLockAndWritesUntilItDies)
{
    Probe holder(dir.str(), "KfzStamm.db", "lock");
    ASSERT_EQ(holder.answer(), "ok");

    EXPECT_EQ(refusal([&] { return locks->lockTable("KfzStamm.db"); }), LockError::Reason::TableLocked);
    EXPECT_EQ(refusal([&] { return locks->beginWrite("kfzstamm"); }), LockError::Reason::TableLocked);
    // Reads go on, and other tables are free.
    EXPECT_TRUE(locks->openShared("KfzStamm.db").isHeld());
    EXPECT_TRUE(locks->beginWrite("KfzTour.db").isHeld());

    holder.kill();
    EXPECT_TRUE(locks->lockTable("KfzStamm.db").isHeld());
    EXPECT_TRUE(locks->beginWrite("KfzStamm.db").isHeld());
}

TEST_F(TableLocksTest, OwnWriteLockRefusesOtherProcessesUntilUnlocked)
{
    LockHandle first = locks->lockTable("KfzStamm.db");
    LockHandle second = locks->lockTable("KFZSTAMM.DB"); // another cursor of this process
    EXPECT_TRUE(locks->isLockedByThisProcess("kfzstamm"));
    EXPECT_TRUE(locks->beginWrite("KfzStamm.db").isHeld()); // this process may write

    EXPECT_EQ(Probe(dir.str(), "KfzStamm.db", "write").answer(), "refused");
    EXPECT_EQ(Probe(dir.str(), "KfzStamm.db", "lock").answer(), "refused");
    EXPECT_EQ(Probe(dir.str(), "KfzStamm.db", "open").answer(), "ok");

    first.release();
    EXPECT_EQ(Probe(dir.str(), "KfzStamm.db", "write").answer(), "refused");
    second.release();
    EXPECT_FALSE(locks->isLockedByThisProcess("kfzstamm"));
    EXPECT_EQ(Probe(dir.str(), "KfzStamm.db", "write").answer(), "ok");
    EXPECT_EQ(Probe(dir.str(), "KfzStamm.db", "lock").answer(), "ok");
}

TEST_F(TableLocksTest, WriteUnderWayInAnotherProcessRefusesLockTable)
{
    Probe writer(dir.str(), "KfzStamm.db", "write");
    ASSERT_EQ(writer.answer(), "ok");
    EXPECT_EQ(refusal([&] { return locks->lockTable("KfzStamm.db"); }), LockError::Reason::TableLocked);
    EXPECT_FALSE(locks->isLockedByThisProcess("KfzStamm.db"));
    // A write of this process beside it is fine.
    EXPECT_TRUE(locks->beginWrite("KfzStamm.db").isHeld());
    writer.finish();
    EXPECT_TRUE(locks->lockTable("KfzStamm.db").isHeld());
}

// A table lock waits for its turn: it is had as soon as the other process lets go within the wait,
// and while it waits, a stream of writes of other processes holds back so that it gets its turn.
TEST_F(TableLocksTest, TableLockWaitsForTheOtherWorkstationWithinTheWait)
{
    using Clock = std::chrono::steady_clock;
    {
        LockHandle held = locks->lockTable("KfzHisto.db");
        std::thread releaser([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(800));
            held.release();
        });
        const auto start = Clock::now();
        Probe waiter(dir.str(), "KfzHisto.db", "lock");
        const auto waited = Clock::now() - start;
        releaser.join();
        EXPECT_EQ(waiter.answer(), "ok");
        EXPECT_GE(waited, std::chrono::milliseconds(700));
        EXPECT_LT(waited, TableLocks::kTableLockWait);
    }
    // Workstations writing one after another without a pause between them: hardly a moment
    // without a write under way, yet the table lock is had.
    std::vector<std::unique_ptr<Probe>> writers;
    for (int i = 0; i < 4; ++i) {
        writers.push_back(std::make_unique<Probe>(dir.str(), "KfzHisto.db", "writes"));
        ASSERT_EQ(writers.back()->answer(), "ok");
    }
    const auto start = Clock::now();
    EXPECT_TRUE(locks->lockTable("KfzHisto.db").isHeld());
    EXPECT_LT(Clock::now() - start, TableLocks::kTableLockWait);
    // Refused when the other side keeps the lock past the wait.
    LockHandle mine = locks->lockTable("KfzHisto.db");
    const auto before = Clock::now();
    EXPECT_EQ(Probe(dir.str(), "KfzHisto.db", "lock").answer(), "refused");
    EXPECT_GE(Clock::now() - before, TableLocks::kTableLockWait);
}

// A record lock keeps other workstations off that row only, while the process that took it lives;
// the cursors of one process share it.
TEST_F(TableLocksTest, RecordLockRefusesOtherWorkstationsUntilReleasedOrDead)
{
    Probe editor(dir.str(), "KfzStamm.db", "record:7");
    ASSERT_EQ(editor.answer(), "ok");
    EXPECT_EQ(refusal([&] { return locks->lockRecord("kfzstamm", 7); }), LockError::Reason::RecordLocked);
    try {
        locks->lockRecord("KfzStamm.db", 7);
    } catch (const LockError &e) {
        EXPECT_EQ(e.message(), "Tabelle KfzStamm.db: Der Datensatz wird gerade an einem anderen Arbeitsplatz "
                               "bearbeitet.");
    }
    // Other rows, the same row of another table, and writes to the table are free.
    EXPECT_TRUE(locks->lockRecord("KfzStamm.db", 8).isHeld());
    EXPECT_TRUE(locks->lockRecord("KfzTour.db", 7).isHeld());
    EXPECT_TRUE(locks->beginWrite("KfzStamm.db").isHeld());
    editor.kill();
    {
        LockHandle first = locks->lockRecord("KfzStamm.db", 7);
        LockHandle second = locks->lockRecord("KFZSTAMM.DB", 7); // another cursor of this process
        first.release();
        EXPECT_EQ(Probe(dir.str(), "KfzStamm.db", "record:7").answer(), "refused");
        second.release();
    }
    EXPECT_EQ(Probe(dir.str(), "KfzStamm.db", "record:7").answer(), "ok");
}

TEST_F(TableLocksTest, ExclusiveOpenAgainstCursorsOfThisAndOtherProcesses)
{
    {
        LockHandle cursor = locks->openShared("KfzDispo.DB");
        EXPECT_EQ(refusal([&] { return locks->openExclusive("kfzdispo.db"); }),
                  LockError::Reason::TableInUse);
    }
    {
        Probe other(dir.str(), "KfzDispo.db", "open");
        ASSERT_EQ(other.answer(), "ok");
        EXPECT_EQ(refusal([&] { return locks->openExclusive("KfzDispo.DB"); }),
                  LockError::Reason::TableInUse);
        other.kill();
    }
    LockHandle exclusive = locks->openExclusive("KfzDispo.DB");
    EXPECT_EQ(refusal([&] { return locks->openShared("KfzDispo.DB"); }), LockError::Reason::Exclusive);
    EXPECT_EQ(Probe(dir.str(), "KfzDispo.db", "open").answer(), "refused");
    EXPECT_EQ(Probe(dir.str(), "KfzDispo.db", "exclusive").answer(), "refused");
    exclusive.release();
    EXPECT_EQ(Probe(dir.str(), "KfzDispo.db", "exclusive").answer(), "ok");
}

// Several cursors of this process on one table: another process may open it
// exclusively only when the last of them has closed, again after reopening.
TEST_F(TableLocksTest, OnlyTheLastCursorClosingFreesTheTableForAnExclusiveOpenElsewhere)
{
    for (int runde = 0; runde < 2; ++runde) {
        LockHandle first = locks->openShared("KfzVar.db");
        LockHandle second = locks->openShared("kfzvar");
        first.release();
        EXPECT_EQ(Probe(dir.str(), "KfzVar.db", "exclusive").answer(), "refused") << runde;
        EXPECT_EQ(refusal([&] { return locks->openExclusive("KfzVar.db"); }), LockError::Reason::TableInUse);
        second.release();
        EXPECT_EQ(Probe(dir.str(), "KfzVar.db", "exclusive").answer(), "ok") << runde;
    }
    LockHandle exclusive = locks->openExclusive("KfzVar.db");
    EXPECT_EQ(refusal([&] { return locks->openExclusive("KfzVar.db"); }), LockError::Reason::TableInUse);
    exclusive.release();
    EXPECT_TRUE(locks->openShared("KfzVar.db").isHeld());
}

TEST_F(TableLocksTest, ExclusiveHolderDiesAndTheTableOpensAgain)
{
    Probe holder(dir.str(), "TImport.db", "exclusive");
    ASSERT_EQ(holder.answer(), "ok");
    EXPECT_EQ(refusal([&] { return locks->openShared("TImport.db"); }), LockError::Reason::Exclusive);
    holder.kill();
    EXPECT_TRUE(locks->openExclusive("TImport.db").isHeld());
}

TEST_F(TableLocksTest, RegistryIsSharedPerDirectoryAndNamesIgnoreCaseAndExtension)
{
    EXPECT_EQ(TableLocks::forDirectory(QString::fromStdString(dir.str() + "/")), locks);
    EXPECT_EQ(TableLocks::lockFileName("KfzStamm.DB"), "kfzstamm.lck");
    EXPECT_EQ(TableLocks::lockFileName("kfzstamm"), "kfzstamm.lck");
    EXPECT_EQ(TableLocks::lockFileName("tank0105.txt"), "tank0105.txt.lck");
}

} // namespace
