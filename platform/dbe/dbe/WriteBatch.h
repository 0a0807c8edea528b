#pragma once

#include <QString>

namespace dbe {

class TSession;
class TTable;

// The writes of a run to one database (alias or directory) as one storage transaction: one commit,
// and so one flush to disk, whatever the number of posts, instead of one per post. Meant for tables
// a run rebuilds (an evaluation's result table, a workstation's scratch table): open the batch
// before the table is emptied, and the emptying and every row after it share that commit. The
// writes are committed when the batch ends in any way, an exception included, as each post's own
// commit would have kept them; a failing commit at the end rolls back quietly, so that the run's
// own failure is what is reported. Inside a transaction the caller opened, the batch starts and
// commits nothing.
class TWriteBatch {
public:
    TWriteBatch(TSession &session, const QString &databaseName);
    // The batch of the table's session and database.
    explicit TWriteBatch(TTable &table);
    ~TWriteBatch();
    TWriteBatch(const TWriteBatch &) = delete;
    TWriteBatch &operator=(const TWriteBatch &) = delete;

    // Commits now; a failure is raised to the caller.
    void Commit();

private:
    TSession &session_;
    QString databaseName_;
    bool open_ = false;
};

} // namespace dbe
