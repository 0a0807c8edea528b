#include "embed/content_io.h"

#include "core/file.h"
#include "embed/embedded_content.h"
#include "support/debug_print.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace tbpr::embed {

namespace {

bool seekable(int fd)
{
    return lseek(fd, 0, SEEK_CUR) >= 0 || errno != ESPIPE;
}

ReadResult tooLarge(unsigned long long size)
{
    support::debugPrint("embedded file: source of %llu bytes refused (4 GiB or more)", size);
    return ReadResult::TooLarge;
}

ReadResult readSequentially(int fd, std::string &content)
{
    std::string out;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return ReadResult::Failed;
        if (got == 0)
            break;
        if (out.size() + std::size_t(got) > kMaxEmbeddedSize)
            return tooLarge(out.size() + std::size_t(got));
        out.append(buffer, std::size_t(got));
    }
    content.swap(out);
    return ReadResult::Ok;
}

} // namespace

ReadResult readDescriptor(int fd, std::string &content)
{
    if (fd < 0)
        return ReadResult::Failed;
    if (!seekable(fd))
        return readSequentially(fd, content);
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return ReadResult::Failed;
    if (std::uint64_t(info.st_size) > kMaxEmbeddedSize)
        return tooLarge(std::uint64_t(info.st_size));
    std::string out(std::size_t(info.st_size), '\0');
    std::size_t total = 0;
    while (total < out.size()) {
        const ssize_t got = pread(fd, out.data() + total, out.size() - total, off_t(total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return ReadResult::Failed;
        if (got == 0)
            break; // shrunk meanwhile
        total += std::size_t(got);
    }
    out.resize(total);
    content.swap(out);
    return ReadResult::Ok;
}

bool writeDescriptor(int fd, std::string_view content)
{
    if (fd < 0)
        return false;
    const bool positioned = seekable(fd);
    std::size_t total = 0;
    while (total < content.size()) {
        const ssize_t put = positioned
                                ? pwrite(fd, content.data() + total, content.size() - total, off_t(total))
                                : write(fd, content.data() + total, content.size() - total);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        total += std::size_t(put);
    }
    return !positioned || ftruncate(fd, off_t(total)) == 0;
}

ReadResult readStream(ProfStream *stream, std::string &content)
{
    auto file = File::fromStream(stream);
    if (!file->usable())
        return ReadResult::Failed;
    const std::uint64_t size = file->size();
    if (size == ~0ULL)
        return ReadResult::Failed;
    if (size > kMaxEmbeddedSize)
        return tooLarge(size);
    std::string out(std::size_t(size), '\0');
    out.resize(file->readAt(0, out.data(), out.size()));
    content.swap(out);
    return ReadResult::Ok;
}

bool writeStream(ProfStream *stream, std::string_view content)
{
    auto file = File::fromStream(stream);
    if (!file->usable() || file->seek(0) < 0)
        return false;
    const bool written = file->write(content.data(), content.size()) == content.size() && file->setEnd();
    file->seek(0);
    return written;
}

} // namespace tbpr::embed
