#pragma once

#include <QMetaObject>

namespace dbe {

class TTable;
namespace detail {
class Database;
}

// A walk over many records (an evaluation of every vehicle) reads through one read transaction of
// a table's storage instead of locking the storage anew for every statement. Another
// workstation's write waits for it only briefly: the first statement after a short while ends it
// and begins a new one, and so does the thread's event loop whenever it waits for input (a message
// box the walk shows). A write of this process ends it first and is committed as always; the
// reads after it begin a new one. Inside an explicit transaction the reads are the transaction's.
// Nothing for a closed table or a text file. The table's session stays open while the scope lives.
class TReadScope {
public:
    explicit TReadScope(const TTable &table);
    ~TReadScope();
    TReadScope(const TReadScope &) = delete;
    TReadScope &operator=(const TReadScope &) = delete;

private:
    detail::Database *db_ = nullptr;
    QMetaObject::Connection waiting_;
};

} // namespace dbe
