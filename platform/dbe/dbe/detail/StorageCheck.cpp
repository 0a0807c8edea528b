#include "dbe/detail/StorageCheck.h"

#include <sqlite3.h>

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace dbe::detail {

namespace {

const QString kInUse = QStringLiteral("in-use-");

// An exclusive lock of this open file description on byte 0; false when another holds one.
bool lockExclusive(int fd)
{
    struct flock fl = {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 1;
    while (fcntl(fd, F_OFD_SETLK, &fl) == -1) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

} // namespace

UseMarker::UseMarker(const QString &directory)
{
    const QString dir = directory + QStringLiteral("/.locks");
    if (!QDir().mkpath(dir))
        return; // without markers every start counts as after a clean end
    // Markers nobody holds any more: their processes ended without closing.
    const QStringList found = QDir(dir).entryList({kInUse + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    for (const QString &name : found) {
        const QByteArray path = QFile::encodeName(dir + QLatin1Char('/') + name);
        const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
        if (fd == -1)
            continue;
        if (lockExclusive(fd)) {
            unclean_ = true;
            ::unlink(path.constData());
        }
        ::close(fd);
    }
    // Made under a name no start looks at, locked, then named: never seen unlocked.
    std::random_device random;
    const QString unique = QStringLiteral("%1-%2").arg(::getpid()).arg(random(), 8, 16, QLatin1Char('0'));
    const QByteArray pending = QFile::encodeName(dir + QStringLiteral("/pending-") + unique);
    const QString path = dir + QLatin1Char('/') + kInUse + unique;
    fd_ = ::open(pending.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ == -1)
        return;
    if (!lockExclusive(fd_) || ::rename(pending.constData(), QFile::encodeName(path).constData()) != 0) {
        ::unlink(pending.constData());
        ::close(fd_);
        fd_ = -1;
        return;
    }
    path_ = path;
}

UseMarker::~UseMarker()
{
    if (fd_ == -1)
        return;
    ::unlink(QFile::encodeName(path_).constData());
    ::close(fd_);
}

bool storageDamaged(sqlite3 *db, CheckDepth depth, std::chrono::milliseconds bound)
{
    struct Deadline {
        std::chrono::steady_clock::time_point at;
    } deadline{std::chrono::steady_clock::now() + bound};
    sqlite3_progress_handler(
        db, 1000,
        [](void *d) { return std::chrono::steady_clock::now() > static_cast<Deadline *>(d)->at ? 1 : 0; },
        &deadline);
    sqlite3_stmt *s = nullptr;
    const char *sql = depth == CheckDepth::Full ? "PRAGMA integrity_check(1)" : "PRAGMA quick_check(1)";
    int rc = sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    bool ok = true;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(s);
        ok =
            rc != SQLITE_ROW || qstrcmp(reinterpret_cast<const char *>(sqlite3_column_text(s, 0)), "ok") == 0;
    }
    sqlite3_finalize(s);
    sqlite3_progress_handler(db, 0, nullptr, nullptr);
    const int primary = rc & 0xff;
    return !ok || primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

} // namespace dbe::detail
