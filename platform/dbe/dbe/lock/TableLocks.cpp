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

    QString directory_;
    mutable std::mutex mutex_;
    std::map<QString, OpenState> openStates_;
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
