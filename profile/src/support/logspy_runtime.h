#pragma once
// The meeting place of the library and the debug viewer: a per-user runtime
// directory holding "global" (4 bytes: the viewer's pid, 0 for none) and
// "sock" (the viewer's datagram socket, one datagram per line).
#include <cstdint>
#include <optional>
#include <string>
#include <sys/types.h>

namespace tbpr::support {

// $XDG_RUNTIME_DIR/logspy, or /tmp/logspy-<uid> without a runtime directory.
std::string logspyRuntimeDir();

// Creates the directory (mode 0700) when missing; false when it is not a
// directory owned by this user and closed to others.
bool prepareLogspyDir(const std::string &dir);

// The mapped "global" block.
class ViewerPidBlock {
public:
    // Maps dir/global, creating it (zero) when missing; check isOpen().
    explicit ViewerPidBlock(const std::string &dir);
    ~ViewerPidBlock();
    ViewerPidBlock(const ViewerPidBlock &) = delete;
    ViewerPidBlock &operator=(const ViewerPidBlock &) = delete;

    bool isOpen() const { return view_ != nullptr; }
    // True when this object created the file.
    bool created() const { return created_; }
    pid_t load() const;
    void store(pid_t pid);
    // Stores zero only while the block still holds pid.
    void clearIf(pid_t pid);

private:
    std::int32_t *view_ = nullptr;
    bool created_ = false;
};

// "is a window" of the viewer: a live process.
bool processAlive(pid_t pid);

// The viewer side: binds dir/sock and publishes its pid. Used by the
// command-line viewer and by tests.
class LogspyViewer {
public:
    // publishPid: the pid written to "global" (0: this process).
    explicit LogspyViewer(const std::string &dir, pid_t publishPid = 0);
    ~LogspyViewer();
    LogspyViewer(const LogspyViewer &) = delete;
    LogspyViewer &operator=(const LogspyViewer &) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // One line (the trailing CR removed), or nothing within the time-out.
    std::optional<std::string> receive(int timeoutMs);
    // Withdraws the pid and the socket (as a viewer that quits).
    void close();

private:
    std::string dir_;
    std::string sockPath_;
    int fd_ = -1;
    pid_t published_ = 0;
};

} // namespace tbpr::support
