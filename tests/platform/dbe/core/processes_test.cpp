#include "fixture.h"

#include <QProcess>

using namespace dbe;

namespace {

class ProcessesTest : public DbeFixture {
protected:
    void SetUp() override
    {
        t = table(QStringLiteral("Kfz.db"));
        t->Open();
        addVehicles(*t, {{"A", ""}});
    }
    // Runs the helper to its end and returns its output line.
    QString run(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral(CORE_HELPER_PATH), args);
        p.waitForFinished(10000);
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }
    // Starts a helper that holds something until killed; waits for its word.
    std::unique_ptr<QProcess> hold(const QString &cmd)
    {
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral(CORE_HELPER_PATH), {cmd, dirPath(), QStringLiteral("Kfz.db")});
        p->waitForReadyRead(10000);
        holdReply = QString::fromUtf8(p->readAllStandardOutput()).trimmed();
        return p;
    }
    static void kill(QProcess &p)
    {
        p.kill();
        p.waitForFinished(10000);
    }
    QString dirPath() const { return QString::fromStdString(dir.str()); }
    std::unique_ptr<TTable> t;
    QString holdReply;
};

TEST_F(ProcessesTest, APostIsVisibleAtOnceToASecondCursorAndASecondProcess)
{
    auto second = table(QStringLiteral("kfz.db"));
    second->Open();
    EXPECT_EQ(second->RecordCount(), 1);
    addVehicles(*t, {{"B", ""}});
    EXPECT_EQ(second->RecordCount(), 2);
    EXPECT_TRUE(second->FindKey({"B"}));
    EXPECT_EQ(run({QStringLiteral("count"), dirPath(), QStringLiteral("Kfz.db")}), "2");
    // And the other way round: the other process posts, both cursors see it.
    EXPECT_EQ(run({QStringLiteral("post"), dirPath(), QStringLiteral("Kfz.db"), QStringLiteral("C")}), "ok");
    EXPECT_EQ(t->RecordCount(), 3);
    EXPECT_TRUE(second->FindKey({"C"}));
    t->Last();
    EXPECT_EQ(t->FieldByName(QStringLiteral("KfzNr"))->AsString(), "C");
}

TEST_F(ProcessesTest, WriteLockHeldElsewhereRefusesLockAndWritesUntilTheHolderDies)
{
    auto holder = hold(QStringLiteral("lock"));
    ASSERT_EQ(holdReply, "locked");
    try {
        t->LockTable();
        FAIL() << "lock granted twice";
    } catch (const EDBEngineError &e) {
        EXPECT_EQ(e.ErrorCode(), ErrorCode::Locked);
    }
    EXPECT_EQ(t->RecordCount(), 1); // reading goes on
    EXPECT_THROW(addVehicles(*t, {{"B", ""}}), EDBEngineError);
    t->Cancel();
    kill(*holder);
    t->LockTable();
    addVehicles(*t, {{"B", ""}});
    EXPECT_TRUE(run({QStringLiteral("post"), dirPath(), QStringLiteral("Kfz.db"), QStringLiteral("X")})
                    .startsWith(QStringLiteral("error")));
    t->UnlockTable();
    EXPECT_EQ(run({QStringLiteral("post"), dirPath(), QStringLiteral("Kfz.db"), QStringLiteral("X")}), "ok");
}

TEST_F(ProcessesTest, ExclusiveOpenAndEmptyTable)
{
    // Our cursor is open: another process cannot open exclusively.
    auto other = hold(QStringLiteral("exclusive"));
    EXPECT_TRUE(holdReply.startsWith(QStringLiteral("error"))) << holdReply.toStdString();
    kill(*other);
    t->Close();
    auto holder = hold(QStringLiteral("exclusive"));
    ASSERT_EQ(holdReply, "open");
    EXPECT_THROW(t->Open(), EDBEngineError);
    EXPECT_THROW(t->EmptyTable(), EDBEngineError);
    kill(*holder);
    t->SetExclusive(true);
    t->Open();
    auto second = table(QStringLiteral("Kfz.db"));
    EXPECT_THROW(second->Open(), EDBEngineError); // this process too
    t->EmptyTable();
    EXPECT_TRUE(t->IsEmpty());
    t->Close();
    t->SetExclusive(false);
    addVehicles(*(t->Open(), t), {{"Z", ""}});
    t->Close();
    t->EmptyTable(); // closed table
    t->Open();
    EXPECT_TRUE(t->IsEmpty());
}

} // namespace
