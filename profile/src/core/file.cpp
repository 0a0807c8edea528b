#include "core/file.h"

#include "core/hooks.h"
#include "core/retry.h"
#include "core/string_ops.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tbpr {
namespace {

bool streamOk(int status)
{
    return status == PROF_STREAM_OK;
}

// A missing function counts as "not supported".
template <typename Fn, typename... Args> int callStream(ProfStream *stream, Fn fn, Args... args)
{
    if (!stream || !stream->vtbl || !fn)
        return PROF_STREAM_E_INVALIDFUNCTION;
    return fn(stream, args...);
}

bool setOfdLock(int fd, short type, uint64_t offset, uint64_t length)
{
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off_t>(offset);
    lock.l_len = static_cast<off_t>(length);
    lock.l_pid = 0;
    return fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

std::string temporaryDirectory()
{
    std::string dir = environmentValue("TMPDIR");
    if (dir.empty())
        dir = "/tmp";
    return dir;
}

} // namespace

OpenError openErrorFromErrno(int error)
{
    switch (error) {
    case 0:
        return OpenError::None;
    case ENOENT:
    case ENOTDIR:
        return OpenError::NotFound;
    case EAGAIN:
        return OpenError::Locked;
    case EEXIST:
        return OpenError::Exists;
    case EACCES:
    case EPERM:
    case EROFS:
        return OpenError::Denied;
    default:
        return OpenError::Other;
    }
}

std::unique_ptr<File> File::open(const std::string &path, OpenAccess access, OpenCreation creation,
                                 OpenSharing sharing, uint32_t flags)
{
    std::unique_ptr<File> file(new File());
    file->openPath(path, access, creation, sharing, flags);
    return file;
}

bool File::openPath(const std::string &path, OpenAccess access, OpenCreation creation, OpenSharing sharing,
                    uint32_t flags)
{
    close();
    path_ = path;
    flags_ = flags;
    error_ = OpenError::None;
    errorText_.clear();
    if (access == OpenAccess::Read && creation != OpenCreation::Existing)
        hooks::diagnostic("creating a file without write access does not make much sense");

    int mode = O_RDONLY;
    if (access == OpenAccess::Write)
        mode = O_WRONLY;
    else if (access == OpenAccess::ReadWrite)
        mode = O_RDWR;
    if (creation != OpenCreation::Existing)
        mode |= O_CREAT;
    if (flags & kFlagWriteThrough)
        mode |= O_DSYNC;
    mode |= O_CLOEXEC;
    const mode_t permissions = (flags & kFlagReadOnly) ? 0444 : 0666;

    const int fd = ::open(path.c_str(), mode, permissions);
    if (fd < 0) {
        const int error = errno;
        error_ = openErrorFromErrno(error);
        errorText_ = systemErrorText(error);
        return false;
    }
    // Sharing: readers that let others read share a read lock; anything else
    // excludes every other opener. A read-only descriptor can only hold a read lock.
    const bool shareRead = access == OpenAccess::Read && sharing != OpenSharing::None;
    const short shareType = (shareRead || access == OpenAccess::Read) ? F_RDLCK : F_WRLCK;
    if (!setOfdLock(fd, shareType, kSharingSentinelOffset, 1)) {
        const int error = errno;
        ::close(fd);
        error_ = (error == EAGAIN || error == EACCES) ? OpenError::Locked : openErrorFromErrno(error);
        errorText_ = systemErrorText(error);
        return false;
    }
    // Truncation only once this opener is alone with the file.
    if (creation == OpenCreation::CreateNew && access != OpenAccess::Read && ftruncate(fd, 0) != 0) {
        const int error = errno;
        ::close(fd);
        error_ = openErrorFromErrno(error);
        errorText_ = systemErrorText(error);
        return false;
    }
    if (flags & kFlagSequential)
        posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    if (flags & kFlagRandomAccess)
        posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM);
    if (flags & kFlagDeleteOnClose)
        ::unlink(path.c_str());
    fd_ = fd;
    ownsFd_ = true;
    writable_ = access != OpenAccess::Read;
    position_ = 0;
    return true;
}

std::unique_ptr<File> File::fromDescriptor(int fd)
{
    std::unique_ptr<File> file(new File());
    if (fd >= 0) {
        file->fd_ = fd;
        file->ownsFd_ = false;
        const int mode = fcntl(fd, F_GETFL);
        file->writable_ = mode >= 0 && (mode & O_ACCMODE) != O_RDONLY;
    }
    return file;
}

std::unique_ptr<File> File::fromStream(ProfStream *stream)
{
    std::unique_ptr<File> file(new File());
    if (stream && stream->vtbl) {
        file->stream_ = stream;
        file->writable_ = true;
        callStream(stream, stream->vtbl->addRef);
        file->seek(0);
    }
    return file;
}

std::unique_ptr<File> File::temporary(uint32_t flags)
{
    std::unique_ptr<File> file(new File());
    const std::string dir = temporaryDirectory();
    int fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        // Without O_TMPFILE: a fresh name, removed at once.
        std::string pattern = dir + "/PrfXXXXXX";
        fd = mkostemp(pattern.data(), O_CLOEXEC);
        if (fd >= 0)
            ::unlink(pattern.c_str());
    }
    if (fd < 0) {
        const int error = errno;
        file->error_ = openErrorFromErrno(error);
        file->errorText_ = systemErrorText(error);
        hooks::diagnostic("cannot create temp file in '%s' (last try was %s)", dir.c_str(),
                          (dir + "/PrfXXXXXX").c_str());
        return file;
    }
    if (flags & kFlagSequential)
        posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    file->fd_ = fd;
    file->ownsFd_ = true;
    file->writable_ = true;
    file->flags_ = flags;
    return file;
}

File::~File()
{
    close();
}

std::string File::displayName() const
{
    return stream_ ? std::string(kStreamName) : path_;
}

uint64_t File::size()
{
    if (fd_ >= 0) {
        struct stat info {};
        if (fstat(fd_, &info) != 0)
            return ~0ULL;
        return static_cast<uint64_t>(info.st_size);
    }
    if (stream_) {
        uint64_t size = 0;
        if (streamOk(callStream(stream_, stream_->vtbl->stat, &size)))
            return size;
    }
    return ~0ULL;
}

int64_t File::seek(uint64_t position)
{
    if (stream_) {
        uint64_t reached = 0;
        if (!streamOk(callStream(stream_, stream_->vtbl->seek, static_cast<int64_t>(position),
                                 static_cast<int>(PROF_SEEK_SET), &reached)))
            return -1;
        position_ = reached;
        return static_cast<int64_t>(reached);
    }
    position_ = position;
    return static_cast<int64_t>(position);
}

size_t File::read(void *buffer, size_t n)
{
    size_t total = 0;
    auto *out = static_cast<char *>(buffer);
    if (fd_ >= 0) {
        while (total < n) {
            const ssize_t got = pread(fd_, out + total, n - total, static_cast<off_t>(position_));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            total += static_cast<size_t>(got);
            position_ += static_cast<uint64_t>(got);
        }
        return total;
    }
    while (stream_ && total < n) {
        const auto chunk = static_cast<uint32_t>(std::min<size_t>(n - total, 0x40000000));
        uint32_t done = 0;
        if (!streamOk(
                callStream(stream_, stream_->vtbl->read, static_cast<void *>(out + total), chunk, &done)))
            return 0;
        if (done == 0)
            break;
        if (done > chunk)
            return 0; // a stream reporting more than it was given

        total += done;
        position_ += done;
    }
    return total;
}

size_t File::readAt(uint64_t position, void *buffer, size_t n)
{
    if (seek(position) < 0)
        return 0;
    return read(buffer, n);
}

size_t File::write(const void *buffer, size_t n)
{
    size_t total = 0;
    const auto *in = static_cast<const char *>(buffer);
    if (fd_ >= 0) {
        while (total < n) {
            const ssize_t put = pwrite(fd_, in + total, n - total, static_cast<off_t>(position_));
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                break;
            total += static_cast<size_t>(put);
            position_ += static_cast<uint64_t>(put);
        }
        return total;
    }
    while (stream_ && total < n) {
        const auto chunk = static_cast<uint32_t>(std::min<size_t>(n - total, 0x40000000));
        uint32_t done = 0;
        if (!streamOk(callStream(stream_, stream_->vtbl->write, static_cast<const void *>(in + total), chunk,
                                 &done)))
            return 0;
        if (done == 0)
            break;
        if (done > chunk)
            return 0; // a stream reporting more than it was given

        total += done;
        position_ += done;
    }
    return total;
}

bool File::setEnd()
{
    if (fd_ >= 0)
        return ftruncate(fd_, static_cast<off_t>(position_)) == 0;
    if (stream_)
        return streamOk(callStream(stream_, stream_->vtbl->setSize, position_));
    return false;
}

bool File::tryLock(const LockedRange &range)
{
    if (fd_ >= 0)
        return setOfdLock(fd_, writable_ ? F_WRLCK : F_RDLCK, range.offset, range.length);
    const int status = callStream(stream_, stream_->vtbl->lockRegion, range.offset, range.length,
                                  static_cast<int>(PROF_LOCK_EXCLUSIVE));
    return status == PROF_STREAM_OK || status == PROF_STREAM_E_INVALIDFUNCTION;
}

bool File::unlock(const LockedRange &range)
{
    if (fd_ >= 0)
        return setOfdLock(fd_, F_UNLCK, range.offset, range.length);
    if (stream_) {
        const int status = callStream(stream_, stream_->vtbl->unlockRegion, range.offset, range.length,
                                      static_cast<int>(PROF_LOCK_EXCLUSIVE));
        return status == PROF_STREAM_OK || status == PROF_STREAM_E_INVALIDFUNCTION;
    }
    return false;
}

std::optional<LockedRange> File::lockRange(uint64_t offset, uint64_t length)
{
    if (!usable())
        return std::nullopt;
    const LockedRange range{offset, length};
    if (!retryUntilTimeout([&] { return tryLock(range); }))
        return std::nullopt;
    locks_.push_back(range);
    return range;
}

void File::unlockRange(const LockedRange &range)
{
    if (usable())
        unlock(range);
    for (auto it = locks_.begin(); it != locks_.end(); ++it) {
        if (it->offset == range.offset && it->length == range.length) {
            locks_.erase(it);
            return;
        }
    }
    hooks::diagnostic("\nFile '%s': %s\n", displayName().c_str(),
                      "tried to unlock a lock that has already been removed (or has never existed)");
}

void File::close()
{
    if (!locks_.empty()) {
        hooks::diagnostic("\nFile '%s': %s\n", displayName().c_str(),
                          "portions of the file are still locked. they will be unlocked automatically...");
        for (const LockedRange &range : locks_)
            unlock(range);
        locks_.clear();
    }
    if (fd_ >= 0 && ownsFd_)
        ::close(fd_);
    fd_ = -1;
    ownsFd_ = false;
    if (stream_) {
        ProfStream *stream = stream_;
        stream_ = nullptr;
        callStream(stream, stream->vtbl->release);
    }
}

} // namespace tbpr
