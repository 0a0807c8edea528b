// The exports that embed files and streams in profile values and write them
// back: one value per file or stream, or a set of files as "File.Entry" lists.
#include "api/export_support.h"
#include "core/job.h"
#include "core/profile_paths.h"
#include "embed/content_io.h"
#include "embed/embedded_content.h"
#include "support/debug_print.h"
#include "tbpr14.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <new>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using tbpr::support::debugPrint;

namespace {

constexpr int kInvalidJob = -5;
constexpr int kNotFound = -6;
constexpr int kWriteFailed = -4;
constexpr int kAllocationFailed = -8;
constexpr int kBadValue = -9;
constexpr const char *kEntryName = "File.Entry";

const char *orEmpty(const char *text)
{
    return text ? text : "";
}

void appendContent(ProfJob *job, ProfList *list, const char *path, const char *password,
                   tbpr::embed::ReadResult read, const std::string &content)
{
    if (read != tbpr::embed::ReadResult::Ok)
        return;
    auto text = tbpr::embed::encodeEmbeddedContent(content, orEmpty(password));
    if (!text)
        return;
    tbpr::ItemList &start = tbpr::api::baseList(*job, list, path);
    tbpr::appendValue(start, orEmpty(path), std::move(*text));
}

// The decoded content of the value at the path: 0, -6 (missing or empty) or
// -9 (cannot be decoded).
int extractContent(tbpr::ItemList &start, const char *path, const char *password, std::string &content)
{
    const std::string value = tbpr::getItemValueString(start, orEmpty(path));
    if (value.empty())
        return kNotFound;
    switch (tbpr::embed::decodeEmbeddedContent(value, orEmpty(password), content)) {
    case tbpr::embed::DecodeResult::Ok:
        return 0;
    case tbpr::embed::DecodeResult::Empty:
        return kNotFound;
    case tbpr::embed::DecodeResult::Corrupt:
        break;
    }
    return kBadValue;
}

// A single value out: 0, -5, -6, -9, or -4 when the target cannot be written.
template <typename Writer>
int getContent(ProfJob *job, ProfList *list, const char *path, const char *password, Writer write)
{
    if (!job)
        return kInvalidJob;
    tbpr::ItemList &start = tbpr::api::baseList(*job, list, path); // moves path past a leading "/"
    std::string content;
    const int result = extractContent(start, path, password, content);
    if (result != 0)
        return result;
    return write(content) ? 0 : kWriteFailed;
}

// A name from a profile may only name a file inside the target directory.
bool safeFileName(const std::string &name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.size() <= NAME_MAX;
}

} // namespace

extern "C" {

TBPR14_API void ProfAppendFileA(ProfJob *job, ProfList *list, const char *path, const char *password, int fd)
{
    tbpr::api::guardedVoid([&] {
        if (!job)
            return;
        std::string content;
        appendContent(job, list, path, password, tbpr::embed::readDescriptor(fd, content), content);
    });
}

TBPR14_API void ProfAppendFileW(ProfJob *job, ProfList *list, const char16_t *path, const char16_t *password,
                                int fd)
{
    tbpr::api::guardedVoid(
        [&] { ProfAppendFileA(job, list, tbpr::api::NarrowArg(path), tbpr::api::NarrowArg(password), fd); });
}

TBPR14_API int ProfGetFileA(ProfJob *job, ProfList *list, const char *path, const char *password, int fd)
{
    return tbpr::api::guarded(kBadValue, kAllocationFailed, [&] {
        return getContent(job, list, path, password, [&](const std::string &content) {
            return tbpr::embed::writeDescriptor(fd, content);
        });
    });
}

TBPR14_API int ProfGetFileW(ProfJob *job, ProfList *list, const char16_t *path, const char16_t *password,
                            int fd)
{
    return tbpr::api::guarded(kBadValue, kAllocationFailed, [&] {
        return ProfGetFileA(job, list, tbpr::api::NarrowArg(path), tbpr::api::NarrowArg(password), fd);
    });
}

TBPR14_API void ProfAppendStreamA(ProfJob *job, ProfList *list, const char *path, const char *password,
                                  ProfStream *stream)
{
    tbpr::api::guardedVoid([&] {
        if (!job)
            return;
        std::string content;
        appendContent(job, list, path, password, tbpr::embed::readStream(stream, content), content);
    });
}

TBPR14_API void ProfAppendStreamW(ProfJob *job, ProfList *list, const char16_t *path,
                                  const char16_t *password, ProfStream *stream)
{
    tbpr::api::guardedVoid([&] {
        ProfAppendStreamA(job, list, tbpr::api::NarrowArg(path), tbpr::api::NarrowArg(password), stream);
    });
}

TBPR14_API int ProfGetStreamA(ProfJob *job, ProfList *list, const char *path, const char *password,
                              ProfStream *stream)
{
    return tbpr::api::guarded(kBadValue, kAllocationFailed, [&] {
        return getContent(job, list, path, password, [&](const std::string &content) {
            return tbpr::embed::writeStream(stream, content);
        });
    });
}

TBPR14_API int ProfGetStreamW(ProfJob *job, ProfList *list, const char16_t *path, const char16_t *password,
                              ProfStream *stream)
{
    return tbpr::api::guarded(kBadValue, kAllocationFailed, [&] {
        return ProfGetStreamA(job, list, tbpr::api::NarrowArg(path), tbpr::api::NarrowArg(password), stream);
    });
}

TBPR14_API int ProfAppendFilesA(ProfJob *job, ProfList *list, const char *pattern, const char *password,
                                void * /*reserved*/)
{
    return tbpr::api::guarded(0, kAllocationFailed, [&] {
        if (!job)
            return kInvalidJob;
        const std::string full = orEmpty(pattern);
        const std::size_t slash = full.rfind('/');
        const std::string directory = slash == std::string::npos ? std::string() : full.substr(0, slash + 1);
        std::string mask = slash == std::string::npos ? full : full.substr(slash + 1);
        if (mask == "*.*")
            mask = "*";
        std::vector<std::string> names;
        if (DIR *dir = opendir(directory.empty() ? "." : directory.c_str())) {
            while (const dirent *entry = readdir(dir)) {
                if (fnmatch(mask.c_str(), entry->d_name, 0) == 0)
                    names.emplace_back(entry->d_name);
            }
            closedir(dir);
        }
        std::sort(names.begin(), names.end());
        tbpr::ItemList &target = tbpr::api::listOrRoot(*job, list);
        int count = 0;
        for (const std::string &name : names) {
            const std::string path = directory + name;
            struct stat info {};
            // Regular files only: no directories, and no FIFO that would block.
            if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
                continue;
            const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
            if (fd >= 0) {
                posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
                std::string content;
                if (tbpr::embed::readDescriptor(fd, content) == tbpr::embed::ReadResult::Ok) {
                    auto text = tbpr::embed::encodeEmbeddedContent(content, orEmpty(password));
                    if (text && !text->empty()) {
                        auto entry = std::make_unique<tbpr::ItemList>(kEntryName);
                        entry->appendValue("Name", name);
                        entry->appendValue("Contents", std::move(*text));
                        target.appendList(std::move(entry));
                    }
                }
                close(fd);
            }
            ++count; // an empty or unreadable file counts but adds nothing
        }
        return count;
    });
}

TBPR14_API int ProfAppendFilesW(ProfJob *job, ProfList *list, const char16_t *pattern,
                                const char16_t *password, void *reserved)
{
    return tbpr::api::guarded(0, kAllocationFailed, [&] {
        return ProfAppendFilesA(job, list, tbpr::api::NarrowArg(pattern), tbpr::api::NarrowArg(password),
                                reserved);
    });
}

TBPR14_API int ProfExtractFilesA(ProfJob *job, ProfList *list, const char *directory, const char *password,
                                 void * /*reserved*/)
{
    return tbpr::api::guarded(0, kAllocationFailed, [&] {
        if (!job)
            return kInvalidJob;
        tbpr::ItemList &source = tbpr::api::listOrRoot(*job, list);
        std::vector<tbpr::ItemList *> entries;
        tbpr::enumList(source, [&](const tbpr::Item &item) {
            if (item.isList() && item.name == kEntryName)
                entries.push_back(item.sublist.get());
            return 1;
        });
        std::string folder = orEmpty(directory);
        int count = 0;
        for (tbpr::ItemList *entry : entries) {
            if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
                debugPrint("problem creating directory '%s'", folder.c_str());
                return kWriteFailed;
            }
            const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
            const std::string name = tbpr::getItemValueString(*entry, "Name");
            if (name.empty()) {
                debugPrint("ProfExtractFiles:\"Filename=\" not found");
                continue;
            }
            if (!safeFileName(name)) {
                debugPrint("ProfExtractFiles: unsafe file name '%s' skipped", name.c_str());
                continue;
            }
            const std::string path = prefix + name;
            // Decoded first, so that a bad entry never leaves a file behind.
            std::string content;
            const int decoded = extractContent(*entry, "Contents", password, content);
            if (decoded != 0) {
                debugPrint("ProfExtractFiles: '%s' has no content that can be decoded (%d)", path.c_str(),
                           decoded);
                continue;
            }
            const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (fd < 0) {
                debugPrint("'%s' could not be created", path.c_str());
                continue;
            }
            const bool written = tbpr::embed::writeDescriptor(fd, content);
            close(fd);
            if (!written) {
                debugPrint("ProfExtractFiles: writing '%s' failed", path.c_str());
                unlink(path.c_str());
                continue;
            }
            ++count;
        }
        return count;
    });
}

TBPR14_API int ProfExtractFilesW(ProfJob *job, ProfList *list, const char16_t *directory,
                                 const char16_t *password, void *reserved)
{
    return tbpr::api::guarded(0, kAllocationFailed, [&] {
        return ProfExtractFilesA(job, list, tbpr::api::NarrowArg(directory), tbpr::api::NarrowArg(password),
                                 reserved);
    });
}

} // extern "C"
