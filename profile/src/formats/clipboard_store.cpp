#include "formats/clipboard_store.h"

#include "core/string_ops.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tbpr {
namespace {

constexpr const char *kProfileFile = "application_x-qvxprofcbformat";
constexpr const char *kTextFile = "text_plain";

// Creates each missing level of a directory path with the given mode.
bool makeDirectories(const std::string &path, mode_t mode)
{
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), mode) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

bool writeWhole(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data += put;
        size -= static_cast<size_t>(put);
    }
    return true;
}

// Writes under a temporary name, then renames: a reader never sees half a file.
bool replaceFile(const std::string &dir, const char *name, const std::string &bytes)
{
    std::string temp = dir + "/." + name + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = writeWhole(fd, bytes.data(), bytes.size()) && fsync(fd) == 0;
    ::close(fd);
    if (!written || rename(temp.c_str(), (dir + "/" + name).c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    return true;
}

} // namespace

std::string FileStoreClipboard::directory()
{
    std::string base = environmentValue("XDG_RUNTIME_DIR");
    if (base.empty())
        return "/tmp/tbpr14-" + std::to_string(geteuid()) + "/clipboard";
    return base + "/tbpr14/clipboard";
}

int FileStoreClipboard::write(const std::string &profileBytes)
{
    const std::string dir = directory();
    if (!makeDirectories(dir, 0700))
        return -3;
    struct stat info {};
    if (stat(dir.c_str(), &info) != 0 || info.st_uid != geteuid())
        return -3;
    // The block holds the data and one zero byte, as the pasting side expects.
    std::string block = profileBytes;
    block.push_back('\0');
    if (!replaceFile(dir, kProfileFile, block))
        return -3;
    if (!replaceFile(dir, kTextFile, std::string(kClipboardText) + '\0'))
        return -3;
    return 0;
}

std::optional<std::string> FileStoreClipboard::read()
{
    const std::string path = directory() + "/" + kProfileFile;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return bytes;
}

bool FileStoreClipboard::available()
{
    return access((directory() + "/" + kProfileFile).c_str(), R_OK) == 0;
}

ClipboardBackend &clipboardBackend()
{
    static FileStoreClipboard store;
    return store;
}

} // namespace tbpr
