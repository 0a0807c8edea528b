#include "dbe/lock/TableLocks.h"

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <map>
#include <mutex>
#include <random>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>

namespace dbe::lock {

namespace {

// Byte ranges of a lock file.
constexpr off_t kOpenByte = 0;    // shared per open cursor, exclusive for an exclusive open
constexpr off_t kWriteByte = 1;   // exclusive for LockTable, shared while a write is under way
constexpr off_t kGateByte = 2;    // exclusive while a LockTable waits: new writes hold back
constexpr off_t kRecordBase = 16; // the byte kRecordBase + rowId: exclusive while a record is edited
constexpr qint64 kLastLockableRow = std::numeric_limits<off_t>::max() - kRecordBase;

enum class Mode { None, Shared, Exclusive };

// Sets the lock of this open file description on one byte; false when another
// description holds a conflicting lock.
bool setLock(int fd, off_t byte, Mode mode)
{
    struct flock fl = {};
    fl.l_type = mode == Mode::Exclusive ? F_WRLCK : mode == Mode::Shared ? F_RDLCK : F_UNLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = 1;
    while (fcntl(fd, F_OFD_SETLK, &fl) == -1) {
        if (errno == EINTR)
            continue;
        return false;
    }
    return true;
}

// Whether another description holds a lock on the byte that excludes a shared one.
bool lockedElsewhere(int fd, off_t byte)
{
    struct flock fl = {};
    fl.l_type = F_RDLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = 1;
    return fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
}

QString lockedText(const QString &table)
{
    return QStringLiteral("Tabelle %1 ist von einem anderen Benutzer gesperrt").arg(table);
}

QString tableKey(const QString &table)
{
    QString key = QFileInfo(table).fileName().toLower();
    if (key.endsWith(QLatin1String(".db")))
        key.chop(3);
    return key;
}

// One open file description of a lock file, closed on destruction.
class LockFile {
public:
    explicit LockFile(int fd) : fd_(fd) {}
    ~LockFile() { ::close(fd_); }
    LockFile(const LockFile &) = delete;
    LockFile &operator=(const LockFile &) = delete;
    int fd() const { return fd_; }

private:
    int fd_ = -1;
};

class DirectoryLocks;

// The process's write-lock state of one table: one description whose lock on
// the write byte is exclusive while any LockTable handle lives, else shared
// while any write is under way, else none.
struct WriteState {
    std::unique_ptr<LockFile> file;
    int lockCount = 0;
    int writeCount = 0;
    Mode held = Mode::None;

    Mode wanted() const
    {
        return lockCount > 0 ? Mode::Exclusive : writeCount > 0 ? Mode::Shared : Mode::None;
    }
};

// The process's open locks of one table: one description, shared on the open
// byte while any cursor of the process has the table open, exclusive while
// one has it exclusively. It stays open when the last cursor closes (its lock
// released), so that opening the table again costs one lock call.
struct OpenState {
    std::unique_ptr<LockFile> file;
    int shared = 0;
    bool exclusive = false;
};

class DirectoryLocks : public TableLocks, public std::enable_shared_from_this<DirectoryLocks> {
public:
    explicit DirectoryLocks(const QString &directory) : directory_(directory) {}

    const QString &directory() const override { return directory_; }

    LockHandle openShared(const QString &table) override
    {
        const QString key = tableKey(table);
        std::lock_guard guard(mutex_);
        OpenState &state = openState(key, table);
        if (state.exclusive || (state.shared == 0 && !setLock(state.file->fd(), kOpenByte, Mode::Shared)))
            throw LockError(LockError::Reason::Exclusive, table,
                            QStringLiteral("Tabelle %1 ist exklusiv geöffnet").arg(table));
        ++state.shared;
        return LockHandle(std::make_unique<OpenRelease>(shared_from_this(), key, false));
    }

    LockHandle openExclusive(const QString &table) override
    {
        const QString key = tableKey(table);
        std::lock_guard guard(mutex_);
        OpenState &state = openState(key, table);
        if (state.exclusive || state.shared > 0 || !setLock(state.file->fd(), kOpenByte, Mode::Exclusive))
            throw LockError(LockError::Reason::TableInUse, table,
                            QStringLiteral("Tabelle %1 ist in Benutzung").arg(table));
        state.exclusive = true;
        return LockHandle(std::make_unique<OpenRelease>(shared_from_this(), key, true));
    }

    void releaseOpen(const QString &key, bool exclusive)
    {
        std::lock_guard guard(mutex_);
        auto it = openStates_.find(key);
        if (it == openStates_.end())
            return;
        OpenState &state = it->second;
        if (exclusive)
            state.exclusive = false;
        else
            --state.shared;
        if (!state.exclusive && state.shared == 0)
            setLock(state.file->fd(), kOpenByte, Mode::None);
    }

    LockHandle lockTable(const QString &table) override
    {
        const QString key = tableKey(table);
        const auto deadline = std::chrono::steady_clock::now() + kTableLockWait;
        GateWait gate(*this, key, table);
        for (;;) {
            {
                std::lock_guard guard(mutex_);
                gate.close();
                LockHandle handle;
                if (tryAcquire(table, key, &WriteState::lockCount, handle))
                    return handle;
            }
            if (std::chrono::steady_clock::now() >= deadline)
                throw LockError(LockError::Reason::TableLocked, table, lockedText(table));
            waitRandomStep();
        }
    }

    bool isLockedByThisProcess(const QString &table) const override
    {
        std::lock_guard guard(mutex_);
        auto it = writeStates_.find(tableKey(table));
        return it != writeStates_.end() && it->second.held == Mode::Exclusive;
    }

    LockHandle beginWrite(const QString &table) override
    {
        const QString key = tableKey(table);
        const auto deadline = std::chrono::steady_clock::now() + kTableLockWait;
        for (;;) {
            {
                std::lock_guard guard(mutex_);
                // Held back while another process waits for the table lock (its turn comes first),
                // unless this process already writes or waits itself; the waiter gives up in time.
                const bool heldBack = !gateWaiters_.contains(key) && needsLockCall(key) &&
                                      gated(key, table) && std::chrono::steady_clock::now() < deadline;
                if (heldBack) {
                    dropUnused(key);
                } else {
                    LockHandle handle;
                    if (tryAcquire(table, key, &WriteState::writeCount, handle))
                        return handle;
                    throw LockError(LockError::Reason::TableLocked, table, lockedText(table));
                }
            }
            waitRandomStep();
        }
    }

    LockHandle lockRecord(const QString &table, qint64 rowId) override
    {
        const QString key = tableKey(table);
        std::lock_guard guard(mutex_);
        auto it = recordStates_.find(key);
        if (it == recordStates_.end()) {
            RecordState fresh;
            fresh.file = openFile(table);
            it = recordStates_.emplace(key, std::move(fresh)).first;
        }
        RecordState &state = it->second;
        int &count = state.counts[rowId];
        if (count == 0 && (rowId < 0 || rowId > kLastLockableRow ||
                           !setLock(state.file->fd(), kRecordBase + rowId, Mode::Exclusive))) {
            state.counts.erase(rowId);
            throw LockError(
                LockError::Reason::RecordLocked, table,
                QStringLiteral(
                    "Tabelle %1: Der Datensatz wird gerade an einem anderen Arbeitsplatz bearbeitet.")
                    .arg(table));
        }
        ++count;
        return LockHandle(std::make_unique<RecordRelease>(shared_from_this(), key, rowId));
    }

    void releaseRecord(const QString &key, qint64 rowId)
    {
        std::lock_guard guard(mutex_);
        auto it = recordStates_.find(key);
        if (it == recordStates_.end())
            return;
        auto count = it->second.counts.find(rowId);
        if (count == it->second.counts.end() || --count->second > 0)
            return;
        it->second.counts.erase(count);
        setLock(it->second.file->fd(), kRecordBase + rowId, Mode::None);
    }

    void releaseWrite(const QString &key, int WriteState::*counter)
    {
        std::lock_guard guard(mutex_);
        auto it = writeStates_.find(key);
        if (it == writeStates_.end())
            return;
        WriteState &state = it->second;
        --(state.*counter);
        // Going down (exclusive to shared, or to none) cannot conflict.
        setLock(state.file->fd(), kWriteByte, state.wanted());
        state.held = state.wanted();
        if (state.held == Mode::None)
            writeStates_.erase(it);
    }

private:
    class OpenRelease : public LockRelease {
    public:
        OpenRelease(std::shared_ptr<DirectoryLocks> owner, QString key, bool exclusive)
            : owner_(std::move(owner)), key_(std::move(key)), exclusive_(exclusive)
        {
        }
        ~OpenRelease() override { owner_->releaseOpen(key_, exclusive_); }

    private:
        std::shared_ptr<DirectoryLocks> owner_;
        QString key_;
        bool exclusive_;
    };

    class RecordRelease : public LockRelease {
    public:
        RecordRelease(std::shared_ptr<DirectoryLocks> owner, QString key, qint64 rowId)
            : owner_(std::move(owner)), key_(std::move(key)), rowId_(rowId)
        {
        }
        ~RecordRelease() override { owner_->releaseRecord(key_, rowId_); }

    private:
        std::shared_ptr<DirectoryLocks> owner_;
        QString key_;
        qint64 rowId_;
    };

    // This process waiting for a table lock: the gate byte held exclusively (by one description
    // of the process, shared by its waiting threads) from when it can be had to the end of the wait.
    class GateWait {
    public:
        GateWait(DirectoryLocks &owner, QString key, QString table)
            : owner_(owner), key_(std::move(key)), table_(std::move(table))
        {
            std::lock_guard guard(owner_.mutex_);
            ++owner_.gateWaiters_[key_].waiters;
        }
        ~GateWait()
        {
            std::lock_guard guard(owner_.mutex_);
            auto it = owner_.gateWaiters_.find(key_);
            if (--it->second.waiters == 0)
                owner_.gateWaiters_.erase(it); // closing the description releases the gate
        }
        GateWait(const GateWait &) = delete;
        GateWait &operator=(const GateWait &) = delete;
        // With the owner's mutex held: takes the gate unless held already or another process has it.
        void close()
        {
            GateState &gate = owner_.gateWaiters_[key_];
            if (gate.file)
                return;
            try {
                auto file = owner_.openFile(table_);
                if (setLock(file->fd(), kGateByte, Mode::Exclusive))
                    gate.file = std::move(file);
            } catch (const LockError &) {
                // Without a gate the wait goes on all the same; the lock call itself reports the file.
            }
        }

    private:
        DirectoryLocks &owner_;
        QString key_;
        QString table_;
    };

    class WriteRelease : public LockRelease {
    public:
        WriteRelease(std::shared_ptr<DirectoryLocks> owner, QString key, int WriteState::*counter)
            : owner_(std::move(owner)), key_(std::move(key)), counter_(counter)
        {
        }
        ~WriteRelease() override { owner_->releaseWrite(key_, counter_); }

    private:
        std::shared_ptr<DirectoryLocks> owner_;
        QString key_;
        int WriteState::*counter_;
    };

    // With the mutex held: one more holder of the write byte through `counter`; false when
    // another process's lock on it is in the way.
    bool tryAcquire(const QString &table, const QString &key, int WriteState::*counter, LockHandle &out)
    {
        WriteState &state = writeState(key, table);
        ++(state.*counter);
        const Mode wanted = state.wanted();
        if (wanted != state.held) {
            if (!setLock(state.file->fd(), kWriteByte, wanted)) {
                --(state.*counter);
                dropUnused(key);
                return false;
            }
            state.held = wanted;
        }
        out = LockHandle(std::make_unique<WriteRelease>(shared_from_this(), key, counter));
        return true;
    }

    // With the mutex held: forgets the write state of a table this process neither locks nor writes.
    void dropUnused(const QString &key)
    {
        auto it = writeStates_.find(key);
        if (it != writeStates_.end() && it->second.wanted() == Mode::None)
            writeStates_.erase(it);
    }

    // With the mutex held: whether a write must take the write byte (this process holds none yet).
    bool needsLockCall(const QString &key) const
    {
        auto it = writeStates_.find(key);
        return it == writeStates_.end() || it->second.held == Mode::None;
    }

    // With the mutex held: whether another process waits for the table lock.
    bool gated(const QString &key, const QString &table)
    {
        return lockedElsewhere(writeState(key, table).file->fd(), kGateByte);
    }

    // With the mutex held: the write state of a table, made with its lock file when missing.
    WriteState &writeState(const QString &key, const QString &table)
    {
        auto it = writeStates_.find(key);
        if (it == writeStates_.end()) {
            WriteState fresh;
            fresh.file = openFile(table);
            it = writeStates_.emplace(key, std::move(fresh)).first;
        }
        return it->second;
    }

    OpenState &openState(const QString &key, const QString &table)
    {
        OpenState &state = openStates_[key];
        if (!state.file) {
            try {
                state.file = openFile(table);
            } catch (...) {
                openStates_.erase(key);
                throw;
            }
        }
        return state;
    }

    // The lock directory is made when a lock file cannot be opened for want of it.
    std::unique_ptr<LockFile> openFile(const QString &table) const
    {
        const QString dir = directory_ + QStringLiteral("/.locks");
        const QByteArray path = QFile::encodeName(dir + QLatin1Char('/') + lockFileName(table));
        int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd == -1 && errno == ENOENT) {
            if (!QDir().mkpath(dir))
                throw LockError(LockError::Reason::LockFile, table,
                                QStringLiteral("Sperrverzeichnis %1 kann nicht angelegt werden").arg(dir));
            fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        }
        if (fd == -1)
            throw LockError(
                LockError::Reason::LockFile, table,
                QStringLiteral("Sperrdatei %1 kann nicht geöffnet werden").arg(QFile::decodeName(path)));
        return std::make_unique<LockFile>(fd);
    }

    // The process's record locks of one table: one description, one byte per locked row, with
    // the number of handles of the process that hold it.
    struct RecordState {
        std::unique_ptr<LockFile> file;
        std::map<qint64, int> counts;
    };
    // The process's waits for a table lock.
    struct GateState {
        std::unique_ptr<LockFile> file; // null until the gate could be taken
        int waiters = 0;
    };

    QString directory_;
    mutable std::mutex mutex_;
    std::map<QString, OpenState> openStates_;
    std::map<QString, WriteState> writeStates_;
    std::map<QString, RecordState> recordStates_;
    std::map<QString, GateState> gateWaiters_;
};

// A directory nothing can be written to: opens read what other workstations' lock files say,
// writes are refused.
class ReadOnlyDirectoryLocks : public TableLocks {
public:
    ReadOnlyDirectoryLocks(QString directory, QString refusal)
        : directory_(std::move(directory)), refusal_(std::move(refusal))
    {
    }

    const QString &directory() const override { return directory_; }

    LockHandle openShared(const QString &table) override
    {
        const QString path = directory_ + QStringLiteral("/.locks/") + lockFileName(table);
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (fd == -1)
            return {}; // no workstation ever locked it: nothing to honour
        auto file = std::make_unique<ReadLockFile>(fd);
        if (!setLock(fd, kOpenByte, Mode::Shared))
            throw LockError(LockError::Reason::Exclusive, table,
                            QStringLiteral("Tabelle %1 ist exklusiv geöffnet").arg(table));
        return LockHandle(std::move(file));
    }
    // Nobody can change the table through this directory, so an exclusive open needs no more.
    LockHandle openExclusive(const QString &table) override { return openShared(table); }
    LockHandle lockTable(const QString &table) override
    {
        throw LockError(LockError::Reason::ReadOnly, table,
                        QStringLiteral("Tabelle %1: ").arg(table) + refusal_);
    }
    bool isLockedByThisProcess(const QString &) const override { return false; }
    LockHandle beginWrite(const QString &table) override
    {
        throw LockError(LockError::Reason::ReadOnly, table,
                        QStringLiteral("Tabelle %1: ").arg(table) + refusal_);
    }
    LockHandle lockRecord(const QString &table, qint64) override { return beginWrite(table); }

private:
    class ReadLockFile : public LockRelease {
    public:
        explicit ReadLockFile(int fd) : fd_(fd) {}
        ~ReadLockFile() override { ::close(fd_); }

    private:
        int fd_;
    };

    QString directory_;
    QString refusal_;
};

} // namespace

LockHandle::LockHandle(std::unique_ptr<LockRelease> release) : release_(std::move(release)) {}
LockHandle::LockHandle(LockHandle &&) noexcept = default;
LockHandle &LockHandle::operator=(LockHandle &&other) noexcept
{
    if (this != &other) {
        release_.reset();
        release_ = std::move(other.release_);
    }
    return *this;
}
LockHandle::~LockHandle() = default;

void LockHandle::release()
{
    release_.reset();
}

std::shared_ptr<TableLocks> TableLocks::forDirectory(const QString &directory)
{
    static std::mutex mutex;
    static std::map<QString, std::weak_ptr<DirectoryLocks>> registry;

    const QFileInfo info(directory);
    const QString canonical =
        info.exists() ? info.canonicalFilePath() : QDir::cleanPath(info.absoluteFilePath());
    std::lock_guard guard(mutex);
    if (auto existing = registry[canonical].lock())
        return existing;
    auto locks = std::make_shared<DirectoryLocks>(canonical);
    registry[canonical] = locks;
    return locks;
}

std::shared_ptr<TableLocks> TableLocks::forReadOnlyDirectory(const QString &directory, const QString &refusal)
{
    return std::make_shared<ReadOnlyDirectoryLocks>(directory, refusal);
}

void waitRandomStep()
{
    thread_local std::minstd_rand random(std::random_device{}());
    std::this_thread::sleep_for(std::chrono::microseconds(200 + random() % 4800));
}

QString TableLocks::lockFileName(const QString &table)
{
    return tableKey(table) + QStringLiteral(".lck");
}

} // namespace dbe::lock
