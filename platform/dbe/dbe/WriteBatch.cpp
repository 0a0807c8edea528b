#include "dbe/WriteBatch.h"

#include <exception>

#include "dbe/Session.h"
#include "dbe/Table.h"

namespace dbe {

TWriteBatch::TWriteBatch(TSession &session, const QString &databaseName)
    : session_(session), databaseName_(databaseName)
{
    if (!session_.InTransaction(databaseName_)) {
        session_.StartTransaction(databaseName_);
        open_ = true;
    }
}

TWriteBatch::TWriteBatch(TTable &table) : TWriteBatch(table.Session(), table.DatabaseName()) {}

TWriteBatch::~TWriteBatch()
{
    // The run's own failure, if any, is what the caller reports; a failed commit's writes are gone.
    try {
        Commit();
    } catch (const std::exception &) {
    }
}

void TWriteBatch::Commit()
{
    if (!open_)
        return;
    open_ = false;
    try {
        session_.Commit(databaseName_);
    } catch (const std::exception &) {
        // A commit the storage refused may leave the transaction open: the posts after the batch
        // must not go into it.
        try {
            session_.Rollback(databaseName_);
        } catch (const std::exception &) {
        }
        throw;
    }
}

} // namespace dbe
