#pragma once

#include <stdexcept>

#include <QString>

namespace dbe::lock {

class LockError : public std::runtime_error {
public:
    enum class Reason {
        TableLocked, // another process holds the whole-table write lock
        TableInUse,  // exclusive open refused: another cursor has the table open
        Exclusive,   // open refused: another cursor has the table open exclusively
        LockFile,    // the lock file could not be created or locked
        ReadOnly,    // the directory is read-only: nothing can be written, so no write lock
        RecordLocked // another process edits (or deletes) the record
    };

    LockError(Reason reason, const QString &table, const QString &message)
        : std::runtime_error(message.toStdString()), reason_(reason), table_(table), message_(message)
    {
    }
    Reason reason() const { return reason_; }
    const QString &table() const { return table_; }
    const QString &message() const { return message_; }

private:
    Reason reason_;
    QString table_;
    QString message_;
};

} // namespace dbe::lock
