#include "dbe/lock/TableLocks.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>

namespace dbe::lock {

namespace {

// Byte ranges of a lock file.
constexpr off_t kOpenByte = 0;  // shared per open cursor, exclusive for an exclusive open
constexpr off_t kWriteByte = 1; // exclusive for LockTable, shared while a write is under way

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
    LockFile(const QString &path, const QString &table) : path_(path)
    {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd_ == -1)
            throw LockError(LockError::Reason::LockFile, table,
                            QStringLiteral("Sperrdatei %1 kann nicht geöffnet werden").arg(path));
    }
    ~LockFile() { ::close(fd_); }
    LockFile(const LockFile &) = delete;
    LockFile &operator=(const LockFile &) = delete;
    int fd() const { return fd_; }

private:
    QString path_;
    int fd_ = -1;
};

// An open lock of one cursor: its own description, so it excludes every other
// cursor, of this process too.
class OpenLock : public LockRelease {
public:
    explicit OpenLock(std::unique_ptr<LockFile> file) : file_(std::move(file)) {}

private:
    std::unique_ptr<LockFile> file_;
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

class DirectoryLocks : public TableLocks, public std::enable_shared_from_this<DirectoryLocks> {
public:
    explicit DirectoryLocks(const QString &directory) : directory_(directory) {}

    const QString &directory() const override { return directory_; }

    LockHandle openShared(const QString &table) override
    {
        auto file = openFile(table);
        if (!setLock(file->fd(), kOpenByte, Mode::Shared))
            throw LockError(LockError::Reason::Exclusive, table,
                            QStringLiteral("Tabelle %1 ist exklusiv geöffnet").arg(table));
        return LockHandle(std::make_unique<OpenLock>(std::move(file)));
    }

    LockHandle openExclusive(const QString &table) override
    {
        auto file = openFile(table);
        if (!setLock(file->fd(), kOpenByte, Mode::Exclusive))
            throw LockError(LockError::Reason::TableInUse, table,
                            QStringLiteral("Tabelle %1 ist in Benutzung").arg(table));
        return LockHandle(std::make_unique<OpenLock>(std::move(file)));
    }

    LockHandle lockTable(const QString &table) override
    {
        return acquire(table, &WriteState::lockCount,
                       QStringLiteral("Tabelle %1 ist von einem anderen Benutzer gesperrt").arg(table));
    }

    bool isLockedByThisProcess(const QString &table) const override
    {
        std::lock_guard guard(mutex_);
        auto it = writeStates_.find(tableKey(table));
        return it != writeStates_.end() && it->second.held == Mode::Exclusive;
    }

    LockHandle beginWrite(const QString &table) override
    {
        return acquire(table, &WriteState::writeCount,
                       QStringLiteral("Tabelle %1 ist von einem anderen Benutzer gesperrt").arg(table));
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

    LockHandle acquire(const QString &table, int WriteState::*counter, const QString &refusal)
    {
        const QString key = tableKey(table);
        std::lock_guard guard(mutex_);
        auto it = writeStates_.find(key);
        if (it == writeStates_.end()) {
            WriteState fresh;
            fresh.file = openFile(table);
            it = writeStates_.emplace(key, std::move(fresh)).first;
        }
        WriteState &state = it->second;
        ++(state.*counter);
        const Mode wanted = state.wanted();
        if (wanted != state.held) {
            if (!setLock(state.file->fd(), kWriteByte, wanted)) {
                --(state.*counter);
                if (state.wanted() == Mode::None)
                    writeStates_.erase(it);
                throw LockError(LockError::Reason::TableLocked, table, refusal);
            }
            state.held = wanted;
        }
        return LockHandle(std::make_unique<WriteRelease>(shared_from_this(), key, counter));
    }

    std::unique_ptr<LockFile> openFile(const QString &table) const
    {
        const QString dir = directory_ + QStringLiteral("/.locks");
        if (!QFileInfo(dir).isDir() && !QDir().mkpath(dir))
            throw LockError(LockError::Reason::LockFile, table,
                            QStringLiteral("Sperrverzeichnis %1 kann nicht angelegt werden").arg(dir));
        return std::make_unique<LockFile>(dir + QLatin1Char('/') + lockFileName(table), table);
    }

    QString directory_;
    mutable std::mutex mutex_;
    std::map<QString, WriteState> writeStates_;
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

QString TableLocks::lockFileName(const QString &table)
{
    return tableKey(table) + QStringLiteral(".lck");
}

} // namespace dbe::lock
