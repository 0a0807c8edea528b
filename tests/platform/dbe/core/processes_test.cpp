#include "fixture.h"

#include <cstdio>
#include <functional>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include "dbe/ReadScope.h"

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
    std::unique_ptr<QProcess> hold(const QString &cmd, const QStringList &more = {})
    {
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral(CORE_HELPER_PATH),
                 QStringList{cmd, dirPath(), QStringLiteral("Kfz.db")} + more);
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

// A walk reading through one held read transaction: another process's post goes through while the
// walk goes on reading, and while the walk waits in an event loop; a post of the walk itself is
// committed at once and the walk reads on.
TEST_F(ProcessesTest, AReadScopeLetsOtherProcessesWriteAndCommitsItsOwnWritesAtOnce)
{
    int argc = 1;
    char name[] = "dbe_core_processes_test";
    char *argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance())
        app = std::make_unique<QCoreApplication>(argc, argv);
    const QString helper = QStringLiteral(CORE_HELPER_PATH);
    auto second = table(QStringLiteral("Kfz.db"));
    second->Open();
    TReadScope lesen(*t);
    EXPECT_EQ(t->RecordCount(), 1);

    // Reading on: the held transaction is renewed within milliseconds.
    QProcess poster;
    QElapsedTimer timer;
    timer.start();
    poster.start(helper, {QStringLiteral("post"), dirPath(), QStringLiteral("Kfz.db"), QStringLiteral("B")});
    while (!poster.waitForFinished(2) && timer.elapsed() < 8000)
        t->RecordCount();
    EXPECT_LT(timer.elapsed(), 4000);
    EXPECT_EQ(QString::fromUtf8(poster.readAllStandardOutput()).trimmed(), "ok");
    QThread::msleep(30);
    EXPECT_EQ(t->RecordCount(), 2);

    // Waiting for events: the transaction ends while the loop waits.
    QEventLoop loop;
    QProcess waiter;
    QObject::connect(&waiter, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(8000, &loop, &QEventLoop::quit);
    timer.restart();
    waiter.start(helper, {QStringLiteral("post"), dirPath(), QStringLiteral("Kfz.db"), QStringLiteral("C")});
    loop.exec();
    EXPECT_LT(timer.elapsed(), 4000);
    EXPECT_EQ(QString::fromUtf8(waiter.readAllStandardOutput()).trimmed(), "ok");

    // Its own post: committed for every other process, and the walk's cursors read on. A
    // transaction inside it rolls back and commits as always.
    addVehicles(*second, {{"D", ""}});
    EXPECT_EQ(run({QStringLiteral("count"), dirPath(), QStringLiteral("Kfz.db")}), "4");
    for (const bool commit : {false, true}) {
        TTransaction tx(*session, QStringLiteral("Daten"));
        addVehicles(*second, {{commit ? "F" : "E", ""}});
        EXPECT_EQ(t->RecordCount(), 5);
        commit ? tx.Commit() : tx.Rollback();
    }
    EXPECT_EQ(run({QStringLiteral("count"), dirPath(), QStringLiteral("Kfz.db")}), "5");
    EXPECT_EQ(column(*t, QStringLiteral("KfzNr")), QStringList({"A", "B", "C", "D", "F"}));
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

// The error a write of this process ends with ("<code> <message>"); empty when it went through.
QString refusalOf(const std::function<void()> &write)
{
    try {
        write();
    } catch (const EDBEngineError &e) {
        return QString::number(e.ErrorCode()) + QLatin1Char(' ') + e.Message();
    }
    return QString();
}

const QString kInEdit = QStringLiteral(
    "10241 Tabelle Kfz.db: Der Datensatz wird gerade an einem anderen Arbeitsplatz bearbeitet.");

// A row another workstation edits can be neither edited nor deleted here, alone or with others, until
// that workstation lets it go or dies; its other rows are free meanwhile.
TEST_F(ProcessesTest, ARowInEditElsewhereIsRefusedToEditAndDeleteUntilReleasedOrDead)
{
    addVehicles(*t, {{"B", ""}, {"C", ""}});
    auto editor = hold(QStringLiteral("edit"), {QStringLiteral("B")});
    ASSERT_EQ(holdReply, "editing");
    ASSERT_TRUE(t->FindKey({"B"}));
    struct Case {
        const char *what;
        std::function<void()> write;
    } cases[] = {
        {"edit", [&] { t->Edit(); }},
        {"delete", [&] { t->Delete(); }},
        {"delete range", [&] { t->DeleteRange({"A"}, {"C"}); }},
        {"delete range unread", [&] { t->DeleteRangeUnread({"B"}, {"B"}); }},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(refusalOf(c.write), kInEdit) << c.what;
        EXPECT_EQ(t->State(), TDataSetState::dsBrowse) << c.what;
        EXPECT_EQ(run({QStringLiteral("count"), dirPath(), QStringLiteral("Kfz.db")}), "3") << c.what;
    }
    // Another row is edited and posted here meanwhile.
    ASSERT_TRUE(t->FindKey({"C"}));
    t->Edit();
    t->FieldByName(QStringLiteral("Info"))->SetAsString(QStringLiteral("hier"));
    t->Post();
    // The other side's death lets the row go.
    kill(*editor);
    ASSERT_TRUE(t->FindKey({"B"}));
    t->Edit();
    t->FieldByName(QStringLiteral("Info"))->SetAsString(QStringLiteral("jetzt"));
    t->Post();
    EXPECT_EQ(column(*t, QStringLiteral("Info")), QStringList({"", "jetzt", "hier"}));
}

// A row in edit here: the other workstation can neither edit nor delete it until Post or Cancel.
TEST_F(ProcessesTest, ARowInEditHereIsRefusedToTheOtherWorkstationUntilPostOrCancel)
{
    const QStringList editA{QStringLiteral("edit"), dirPath(), QStringLiteral("Kfz.db"), QStringLiteral("A")};
    const QStringList deleteA{QStringLiteral("delete"), dirPath(), QStringLiteral("Kfz.db"),
                              QStringLiteral("A")};
    for (bool post : {true, false}) {
        t->Edit();
        EXPECT_EQ(run(deleteA), QStringLiteral("error ") + kInEdit) << post;
        EXPECT_EQ(run(editA), QStringLiteral("error ") + kInEdit) << post;
        post ? t->Post() : t->Cancel();
        auto editor = hold(QStringLiteral("edit"), {QStringLiteral("A")});
        EXPECT_EQ(holdReply, "editing") << post;
        kill(*editor);
    }
    // A second cursor of this process shares the row with the first.
    auto second = table(QStringLiteral("Kfz.db"));
    second->Open();
    t->Edit();
    second->Edit();
    second->Cancel();
    EXPECT_EQ(run(deleteA), QStringLiteral("error ") + kInEdit);
    t->Cancel();
    EXPECT_EQ(run(deleteA), "ok");
}

// A change or deletion past the record lock (a program without it writing to the file) while a row
// is in edit here: the post is refused, the typed values stay; Cancel reads what is stored now.
TEST_F(ProcessesTest, APostOverARowChangedOrDeletedElsewhereIsRefusedAndKeepsTheTypedValues)
{
    addVehicles(*t, {{"B", ""}});
    struct Case {
        const char *outside; // what the other program sets Info to; "-" deletes the row
        const char *refusal;
        QStringList afterCancel;
    } cases[] = {
        {"fremd",
         "8712 Tabelle Kfz.db: Der Datensatz wurde inzwischen an einem anderen Arbeitsplatz geändert. Ihre "
         "Eingaben sind nicht gespeichert; mit Abbrechen wird der gespeicherte Stand neu gelesen.",
         {"A/fremd", "B/"}},
        {"-",
         "8710 Tabelle Kfz.db: Der Datensatz wurde inzwischen an einem anderen Arbeitsplatz gelöscht. Ihre "
         "Eingaben sind nicht gespeichert; mit Abbrechen werden sie verworfen.",
         {"B/"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.outside);
        t->First();
        t->Edit();
        t->FieldByName(QStringLiteral("Info"))->SetAsString(QStringLiteral("meins"));
        ASSERT_EQ(run({QStringLiteral("outside"), dirPath(), QStringLiteral("Kfz.db"), QStringLiteral("A"),
                       QString::fromLatin1(c.outside)}),
                  "ok");
        EXPECT_EQ(refusalOf([&] { t->Post(); }), QString::fromUtf8(c.refusal));
        EXPECT_EQ(t->State(), TDataSetState::dsEdit);
        EXPECT_EQ(t->FieldByName(QStringLiteral("Info"))->AsString(), "meins");
        t->Cancel();
        QStringList rows;
        for (t->First(); !t->Eof(); t->Next())
            rows << t->FieldByName(QStringLiteral("KfzNr"))->AsString() + QLatin1Char('/') +
                        t->FieldByName(QStringLiteral("Info"))->AsString();
        EXPECT_EQ(rows, c.afterCancel);
    }
    // Edited again from what is stored, the post goes through.
    t->First();
    t->Edit();
    t->FieldByName(QStringLiteral("Info"))->SetAsString(QStringLiteral("neu"));
    t->Post();
    EXPECT_EQ(column(*t, QStringLiteral("Info")), QStringList({"neu"}));
}

TEST_F(ProcessesTest, DeleteRangeIsRefusedLikeAPostWhileAnotherProcessHoldsTheWriteLock)
{
    auto holder = hold(QStringLiteral("lock"));
    ASSERT_EQ(holdReply, "locked");
    try {
        t->DeleteRange({"A"}, {"A"});
        FAIL() << "deleted under another process's lock";
    } catch (const EDBEngineError &e) {
        EXPECT_EQ(e.ErrorCode(), ErrorCode::Locked);
    }
    EXPECT_EQ(run({QStringLiteral("count"), dirPath(), QStringLiteral("Kfz.db")}), "1");
    kill(*holder);
    EXPECT_EQ(t->DeleteRange({"A"}, {"A"}), 1);
    EXPECT_EQ(run({QStringLiteral("count"), dirPath(), QStringLiteral("Kfz.db")}), "0");
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

// Two workstations post to one table at once while a third process keeps the
// disk busy: every post waits its turn and lands. CI runs a short version; the
// full one (2 x 1,000 posts beside a 1 GiB file) runs with
//   KARVENFP_LANGE_TESTS=1 TMPDIR=<directory on a disk> ctest -R dbe_core_processes
TEST_F(ProcessesTest, TwoWorkstationsPostingAtOnceLoseNothing)
{
    const bool full = qEnvironmentVariableIsSet("KARVENFP_LANGE_TESTS");
    const int posts = full ? 1000 : 150;
    const QString megabytes = full ? QStringLiteral("1024") : QStringLiteral("32");
    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<QProcess>> processes;
    const auto start = [&](const QStringList &args) {
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral(CORE_HELPER_PATH), args);
        ASSERT_TRUE(p->waitForStarted(10000));
        processes.push_back(std::move(p));
    };
    start({QStringLiteral("fill"), dirPath(), QStringLiteral("gross.bin"), megabytes});
    start({QStringLiteral("posts"), dirPath(), QStringLiteral("Kfz.db"), QStringLiteral("P"),
           QString::number(posts)});
    start({QStringLiteral("posts"), dirPath(), QStringLiteral("Kfz.db"), QStringLiteral("Q"),
           QString::number(posts)});
    QStringList replies;
    for (auto &p : processes) {
        p->waitForFinished(full ? 600000 : 120000);
        replies << QString::fromUtf8(p->readAllStandardOutput()).trimmed();
    }
    std::printf("[          ] %d posts each from two processes beside a %s MiB file: %lld ms\n", posts,
                qPrintable(megabytes), static_cast<long long>(timer.elapsed()));
    const QString landed = QStringLiteral("ok %1").arg(posts);
    EXPECT_EQ(replies, QStringList({QStringLiteral("ok"), landed, landed}));
    t->Refresh();
    EXPECT_EQ(t->RecordCount(), 1 + 2 * posts);
    QFile::remove(QDir(dirPath()).filePath(QStringLiteral("gross.bin")));
}

// A write transaction of another process longer than the old five seconds is
// waited for; the post lands when it ends.
TEST_F(ProcessesTest, APostWaitsForALongWriteOfAnotherProcess)
{
    auto holder = hold(QStringLiteral("write"));
    ASSERT_EQ(holdReply, "writing");
    QElapsedTimer timer;
    timer.start();
    addVehicles(*t, {{"B", ""}});
    EXPECT_GE(timer.elapsed(), 5500);
    std::printf("[          ] the post waited %lld ms\n", static_cast<long long>(timer.elapsed()));
    kill(*holder);
    EXPECT_EQ(t->RecordCount(), 3);
}

// A data directory that cannot be written (an archive, a share mounted read-only) and a database
// file that cannot be written in a writable directory: the tables are read, every write is refused
// at once with a German message saying that the data directory is read-only, and nothing is
// changed. Made read-only for real in a second process: by a read-only bind mount in a mount
// namespace of its own when running as root (root writes through file modes), by file modes
// otherwise; skipped, with the reason, where neither can be had.
class ReadOnlyDirectoryTest : public ProcessesTest {
protected:
    // The helper's "readonly" lines, with `target` (the directory or the database file) read-only.
    QStringList runReadOnly(const QString &target)
    {
        QProcess p;
        if (::geteuid() == 0) {
            p.start(QStringLiteral("unshare"),
                    {QStringLiteral("-m"), QStringLiteral("sh"), QStringLiteral("-c"),
                     QStringLiteral("mount --make-rprivate / 2>/dev/null; mount --bind \"$1\" \"$1\" && "
                                    "mount -o remount,ro,bind \"$1\" && exec \"$2\" readonly \"$3\" Kfz.db"),
                     QStringLiteral("sh"), target, QStringLiteral(CORE_HELPER_PATH), dirPath()});
        } else {
            QFile::setPermissions(target, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                              QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
            p.start(QStringLiteral(CORE_HELPER_PATH),
                    {QStringLiteral("readonly"), dirPath(), QStringLiteral("Kfz.db")});
        }
        p.waitForFinished(20000);
        if (::geteuid() != 0)
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        if (out.isEmpty())
            skipReason = QString::fromUtf8(p.readAllStandardError()).trimmed();
        return out.split(u'\n');
    }
    QString skipReason;
};

TEST_F(ReadOnlyDirectoryTest, ReadsAndRefusesEveryWriteWithTheDirectoryNamed)
{
    t->Close();
    const QString directory = QFileInfo(dirPath()).canonicalFilePath();
    const QString file = QDir(dirPath()).filePath(QStringLiteral("dbe.sqlite"));
    const QByteArray before = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    const QString refusal =
        QStringLiteral("Das Datenverzeichnis %1 ist schreibgeschützt; es kann nur gelesen werden")
            .arg(directory);
    const QString tableRefusal = QStringLiteral("Tabelle Kfz.db: ") + refusal;
    const QString code = QString::number(ErrorCode::ReadOnly);
    for (const QString &target : {dirPath(), file}) {
        SCOPED_TRACE(target.toStdString());
        const QStringList lines = runReadOnly(target);
        if (lines == QStringList{QString()})
            GTEST_SKIP() << "cannot make the directory read-only here: " << skipReason.toStdString();
        EXPECT_EQ(
            lines.join(u'\n').toStdString(),
            QStringList({QStringLiteral("count 1 A"), QStringLiteral("edit %1 %2").arg(code, tableRefusal),
                         QStringLiteral("append %1 %2").arg(code, tableRefusal),
                         QStringLiteral("delete %1 %2").arg(code, tableRefusal),
                         QStringLiteral("lock %1 Tabelle kfz: %2").arg(code, refusal),
                         QStringLiteral("transaction %1 %2").arg(code, refusal),
                         QStringLiteral("empty %1 %2").arg(code, tableRefusal)})
                .join(u'\n')
                .toStdString());
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

} // namespace
