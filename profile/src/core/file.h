#pragma once
// One file abstraction over a descriptor or a caller's stream, with the
// byte-range locks it holds and the classification of open failures.
// Sharing modes are emulated by an OFD lock on a sentinel byte; byte ranges
// are OFD locks too, so they belong to this open file and not to the process.
#include "tbpr14.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string>

namespace tbpr {

enum class OpenAccess { Read = 0, Write = 1, ReadWrite = 2 };
enum class OpenCreation { Existing = 0, OpenOrCreate = 1, CreateNew = 2 };
enum class OpenSharing { None = 0, Read = 2, ReadWrite = 3 };

enum OpenFlags : uint32_t {
    kFlagWriteThrough = 0x1,
    kFlagSequential = 0x2,
    kFlagDeleteOnClose = 0x4,
    kFlagRandomAccess = 0x8,
    kFlagNormal = 0x100,
    kFlagHidden = 0x200,
    kFlagReadOnly = 0x400,
    kFlagTemporary = 0x800,
    kProfileFileFlags = 258,
};

enum class OpenError { None = 0, NotFound = 1, Locked = 2, Exists = 3, Denied = 4, Other = 5 };

// The class of an errno value from open(2).
OpenError openErrorFromErrno(int error);

inline constexpr uint64_t kSharingSentinelOffset = 0x7FFFFFFF00000000ULL;
inline constexpr const char *kStreamName = "(Stream)";

struct LockedRange {
    uint64_t offset;
    uint64_t length;
};

class File {
public:
    // Opens a path at once; check usable() and error().
    static std::unique_ptr<File> open(const std::string &path, OpenAccess access, OpenCreation creation,
                                      OpenSharing sharing, uint32_t flags);
    // A caller's descriptor, used from position 0 and never closed here.
    static std::unique_ptr<File> fromDescriptor(int fd);
    // A caller's stream: a reference is taken and it is positioned at 0.
    static std::unique_ptr<File> fromStream(ProfStream *stream);
    // A temporary read-write file that leaves nothing behind.
    static std::unique_ptr<File> temporary(uint32_t flags = kProfileFileFlags);

    ~File();
    File(const File &) = delete;
    File &operator=(const File &) = delete;

    bool usable() const { return fd_ >= 0 || stream_ != nullptr; }
    OpenError error() const { return error_; }
    const std::string &errorText() const { return errorText_; }
    // The path, or "(Stream)" for a caller stream.
    std::string displayName() const;
    const std::string &path() const { return path_; }
    ProfStream *stream() const { return stream_; }
    int descriptor() const { return fd_; }

    // All ones when it cannot be told.
    uint64_t size();
    // New position, or -1 for a stream that fails.
    int64_t seek(uint64_t position);
    uint64_t tell() const { return position_; }
    // Reads up to n bytes at the current position; the count read.
    size_t read(void *buffer, size_t n);
    size_t readAt(uint64_t position, void *buffer, size_t n);
    // Writes n bytes at the current position; the count written.
    size_t write(const void *buffer, size_t n);
    // Cuts (or extends) the file at the current position.
    bool setEnd();

    // Exclusive lock of a range, retried for the time-out; nullopt when not taken.
    std::optional<LockedRange> lockRange(uint64_t offset, uint64_t length);
    void unlockRange(const LockedRange &range);
    size_t heldLocks() const { return locks_.size(); }

    void close();

private:
    File() = default;
    bool openPath(const std::string &path, OpenAccess access, OpenCreation creation, OpenSharing sharing,
                  uint32_t flags);
    bool tryLock(const LockedRange &range);
    bool unlock(const LockedRange &range);

    int fd_ = -1;
    bool ownsFd_ = false;
    bool writable_ = false;
    ProfStream *stream_ = nullptr;
    std::string path_;
    uint32_t flags_ = 0;
    uint64_t position_ = 0;
    OpenError error_ = OpenError::None;
    std::string errorText_;
    std::list<LockedRange> locks_;
};

} // namespace tbpr
