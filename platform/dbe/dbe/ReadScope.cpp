#include "dbe/ReadScope.h"

#include <QAbstractEventDispatcher>

#include "dbe/Session.h"
#include "dbe/Table.h"
#include "dbe/detail/Database.h"

namespace dbe {

TReadScope::TReadScope(const TTable &table)
{
    if (!table.Active() || table.isTextTable())
        return;
    db_ = &table.Session().databaseFor(table.DatabaseName());
    db_->enterReads();
    if (QAbstractEventDispatcher *events = QAbstractEventDispatcher::instance()) {
        detail::Database *db = db_;
        waiting_ =
            QObject::connect(events, &QAbstractEventDispatcher::aboutToBlock, [db] { db->pauseReads(); });
    }
}

TReadScope::~TReadScope()
{
    QObject::disconnect(waiting_);
    if (db_)
        db_->leaveReads();
}

} // namespace dbe
