#include "support/logspy_runtime.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tbpr::support {

std::string logspyRuntimeDir()
{
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime)
        return std::string(runtime) + "/logspy";
    return "/tmp/logspy-" + std::to_string(geteuid());
}

bool prepareLogspyDir(const std::string &dir)
{
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    if (lstat(dir.c_str(), &st) != 0)
        return false;
    // A directory someone else owns or can write to could feed us a forged
    // socket or pid.
    return S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0;
}

ViewerPidBlock::ViewerPidBlock(const std::string &dir)
{
    const std::string path = dir + "/global";
    int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0 && errno == ENOENT) {
        fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        created_ = fd >= 0;
        if (fd < 0 && errno == EEXIST)
            fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    }
    if (fd < 0)
        return;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid() ||
        (st.st_size < 4 && ftruncate(fd, 4) != 0)) {
        ::close(fd);
        return;
    }
    void *view = mmap(nullptr, 4, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    if (view != MAP_FAILED)
        view_ = static_cast<std::int32_t *>(view);
}

ViewerPidBlock::~ViewerPidBlock()
{
    if (view_)
        munmap(view_, 4);
}

pid_t ViewerPidBlock::load() const
{
    return view_ ? __atomic_load_n(view_, __ATOMIC_ACQUIRE) : 0;
}

void ViewerPidBlock::store(pid_t pid)
{
    if (view_)
        __atomic_store_n(view_, std::int32_t(pid), __ATOMIC_RELEASE);
}

void ViewerPidBlock::clearIf(pid_t pid)
{
    if (!view_)
        return;
    std::int32_t expected = pid;
    __atomic_compare_exchange_n(view_, &expected, 0, false, __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE);
}

bool processAlive(pid_t pid)
{
    return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM);
}

LogspyViewer::LogspyViewer(const std::string &dir, pid_t publishPid)
    : dir_(dir), sockPath_(dir + "/sock"), published_(publishPid ? publishPid : getpid())
{
    sockaddr_un address{};
    if (!prepareLogspyDir(dir_) || sockPath_.size() >= sizeof address.sun_path)
        return;
    fd_ = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0)
        return;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, sockPath_.c_str(), sockPath_.size() + 1);
    unlink(sockPath_.c_str()); // a socket left by a viewer that died
    if (bind(fd_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    ViewerPidBlock(dir_).store(published_);
}

LogspyViewer::~LogspyViewer()
{
    close();
}

void LogspyViewer::close()
{
    if (fd_ < 0)
        return;
    ViewerPidBlock(dir_).clearIf(published_);
    ::close(fd_);
    fd_ = -1;
    unlink(sockPath_.c_str());
}

std::optional<std::string> LogspyViewer::receive(int timeoutMs)
{
    if (fd_ < 0)
        return std::nullopt;
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0)
        return std::nullopt;
    char buffer[2048];
    const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
    if (n < 0)
        return std::nullopt;
    std::string line(buffer, std::size_t(n));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

} // namespace tbpr::support
