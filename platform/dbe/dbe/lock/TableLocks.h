#pragma once

#include <chrono>
#include <memory>

#include <QString>

#include "dbe/lock/LockError.h"

namespace dbe::lock {

class LockRelease;

// A held lock; released when the handle is destroyed or release() is called.
// Move-only.
class LockHandle {
public:
    LockHandle() = default;
    explicit LockHandle(std::unique_ptr<LockRelease> release);
    LockHandle(LockHandle &&) noexcept;
    LockHandle &operator=(LockHandle &&) noexcept;
    LockHandle(const LockHandle &) = delete;
    LockHandle &operator=(const LockHandle &) = delete;
    ~LockHandle();

    bool isHeld() const { return release_ != nullptr; }
    void release();

private:
    std::unique_ptr<LockRelease> release_;
};

// Locks between workstations (processes) on one database directory, held as
// open-file-description locks on "<directory>/.locks/<table>.lck": they work
// between processes, vanish when the process dies, and two descriptions of
// the same file in one process still exclude each other.
//
// What the cursor calls:
//   auto locks = TableLocks::forDirectory(dir);      // shared per process
//   open:          keep openShared(table) (or openExclusive) while open
//   LockTable:     keep lockTable(table) until UnlockTable or close
//   every write:   keep beginWrite(table) across the write and its commit
//   Edit:          keep lockRecord(table, rowId) until Post, Cancel or close
//   EmptyTable on a closed table: openExclusive for the time of emptying
// Each throws LockError when the lock cannot be had. Only lockTable waits
// (kTableLockWait); while it waits, other processes' new writes to the table
// hold back, so that a stream of posts cannot keep it out.
//
// Table names are matched without regard to case and without a ".db"
// extension ("KfzStamm.db" and "kfzstamm" are one table).
class TableLocks {
public:
    // The registry of one directory; every caller of the process with the
    // same directory shares it, so the process's own locks do not collide.
    static std::shared_ptr<TableLocks> forDirectory(const QString &directory);
    // The locks of a directory that cannot be written (a read-only mount): no lock file can be
    // made there. An open takes a shared lock on a lock file another workstation left, so an
    // exclusive open elsewhere is still honoured; lockTable and beginWrite throw ReadOnly with
    // `refusal` as the message.
    static std::shared_ptr<TableLocks> forReadOnlyDirectory(const QString &directory, const QString &refusal);

    virtual ~TableLocks() = default;

    virtual const QString &directory() const = 0;

    // "Table is open": fails (Exclusive) while any other cursor of this or
    // another process has the table open exclusively.
    virtual LockHandle openShared(const QString &table) = 0;
    // Exclusive open: fails (TableInUse) while any other cursor of this or
    // another process has the table open.
    virtual LockHandle openExclusive(const QString &table) = 0;

    // Whole-table write lock of this process; waits in short random steps
    // while another process holds it or is writing to the table, and fails
    // (TableLocked) when that lasts kTableLockWait. Several handles of one
    // process may hold it together.
    virtual LockHandle lockTable(const QString &table) = 0;
    static constexpr std::chrono::seconds kTableLockWait{5};
    virtual bool isLockedByThisProcess(const QString &table) const = 0;

    // "May I write table X?": fails (TableLocked) when another process holds
    // the write lock; while the handle is held, other processes cannot take
    // it. Costs a lock system call or two.
    virtual LockHandle beginWrite(const QString &table) = 0;

    // Record lock: fails at once (RecordLocked) while another process holds
    // the lock of that row of the table. The handles of one process share it
    // (its cursors do not exclude each other).
    virtual LockHandle lockRecord(const QString &table, qint64 rowId) = 0;

    // Name of the lock file of a table ("kfzstamm.lck").
    static QString lockFileName(const QString &table);
};

// One step of a wait for another workstation: a short random pause (0.2 to 5 ms), so that
// one that releases and takes a lock again in a loop cannot keep the waiting one out.
void waitRandomStep();

// Base of what a LockHandle releases.
class LockRelease {
public:
    virtual ~LockRelease() = default;
};

} // namespace dbe::lock
