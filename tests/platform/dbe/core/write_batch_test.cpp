// A table rebuilt in a write batch costs one commit of the storage (one flush), however many rows
// it gets; the rows are kept on every way out of the batch.
#include <sqlite3.h>

#include <stdexcept>

#include <gtest/gtest.h>

#include "dbe/WriteBatch.h"
#include "dbe/detail/Database.h"
#include "fixture.h"

using namespace dbe;

namespace {

class WriteBatchTest : public DbeFixture {
protected:
    void SetUp() override
    {
        kosten = table(QStringLiteral("Kosten.db"));
        kosten->SetExclusive(true);
        kosten->Open();
        addRows(3, QStringLiteral("ALT"));
        sqlite3_commit_hook(session->databaseFor(QStringLiteral("Daten")).handle(), &countCommit, &commits);
    }

    void TearDown() override
    {
        sqlite3_commit_hook(session->databaseFor(QStringLiteral("Daten")).handle(), nullptr, nullptr);
    }

    static int countCommit(void *counter)
    {
        ++*static_cast<int *>(counter);
        return 0; // the commit goes ahead
    }

    void addRows(int n, const QString &art)
    {
        for (int i = 0; i < n; ++i) {
            kosten->Append();
            kosten->FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("K%1").arg(i));
            kosten->FieldByName(QStringLiteral("Art"))->SetAsString(art);
            kosten->Post();
        }
    }

    // The rows as another connection to the storage reads them: only what was committed.
    int committedRows(const QString &art)
    {
        sqlite3 *db = nullptr;
        const std::string file = (dir / "dbe.sqlite").string();
        if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            sqlite3_close(db);
            return -1;
        }
        sqlite3_stmt *s = nullptr;
        int n = -1;
        const QByteArray text = art.toUtf8();
        if (sqlite3_prepare_v2(db, "SELECT count(*) FROM kosten WHERE \"Art\" = ?", -1, &s, nullptr) ==
                SQLITE_OK &&
            sqlite3_bind_text(s, 1, text.constData(), -1, SQLITE_TRANSIENT) == SQLITE_OK &&
            sqlite3_step(s) == SQLITE_ROW)
            n = sqlite3_column_int(s, 0);
        sqlite3_finalize(s);
        sqlite3_close(db);
        return n;
    }

    std::unique_ptr<TTable> kosten;
    int commits = 0;
};

// Emptied and refilled: one commit in a batch, where each post alone commits on its own.
TEST_F(WriteBatchTest, ARebuildInABatchCommitsOnce)
{
    struct Case {
        bool batch;
        int commits;
    };
    for (const Case c : {Case{false, 1 + 40}, Case{true, 1}}) {
        SCOPED_TRACE(c.batch ? "batch" : "post by post");
        commits = 0;
        {
            std::unique_ptr<TWriteBatch> batch = c.batch ? std::make_unique<TWriteBatch>(*kosten) : nullptr;
            kosten->EmptyTable();
            addRows(40, QStringLiteral("NEU"));
        }
        EXPECT_EQ(commits, c.commits);
        EXPECT_EQ(committedRows(QStringLiteral("NEU")), 40);
        EXPECT_EQ(committedRows(QStringLiteral("ALT")), 0);
        EXPECT_FALSE(session->InTransaction(QStringLiteral("Daten")));
    }
    // After the batch each post commits on its own again.
    commits = 0;
    addRows(2, QStringLiteral("DANN"));
    EXPECT_EQ(commits, 2);
}

// A run that breaks off keeps the rows it wrote, as post-by-post commits would have; Commit ends
// the batch early, and the end then commits nothing more.
TEST_F(WriteBatchTest, RowsAreKeptOnEveryWayOut)
{
    try {
        TWriteBatch batch(*kosten);
        addRows(5, QStringLiteral("NEU"));
        throw std::runtime_error("Abbruch");
    } catch (const std::runtime_error &) {
    }
    EXPECT_EQ(commits, 1);
    EXPECT_EQ(committedRows(QStringLiteral("NEU")), 5);

    commits = 0;
    {
        TWriteBatch batch(*kosten);
        addRows(4, QStringLiteral("VOR"));
        batch.Commit();
        EXPECT_EQ(committedRows(QStringLiteral("VOR")), 4);
        addRows(1, QStringLiteral("NACH"));
    }
    EXPECT_EQ(commits, 2);
    EXPECT_EQ(committedRows(QStringLiteral("NACH")), 1);
}

// Inside the caller's transaction the batch is part of it: the caller commits, or rolls back all.
TEST_F(WriteBatchTest, InsideATransactionTheCallerDecides)
{
    {
        TTransaction outer(*session, QStringLiteral("Daten"));
        {
            TWriteBatch batch(*kosten);
            addRows(3, QStringLiteral("NEU"));
            batch.Commit();
        }
        EXPECT_EQ(commits, 0);
        EXPECT_TRUE(session->InTransaction(QStringLiteral("Daten")));
        outer.Rollback();
    }
    EXPECT_EQ(committedRows(QStringLiteral("NEU")), 0);
    {
        TTransaction outer(*session, QStringLiteral("Daten"));
        {
            TWriteBatch batch(*kosten);
            addRows(3, QStringLiteral("NEU"));
        }
        outer.Commit();
    }
    EXPECT_EQ(commits, 1);
    EXPECT_EQ(committedRows(QStringLiteral("NEU")), 3);
}

} // namespace
