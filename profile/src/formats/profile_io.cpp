#include "formats/profile_io.h"

#include "core/hooks.h"
#include "core/retry.h"
#include "formats/clipboard_store.h"
#include "formats/line_reader.h"
#include "formats/load_exception.h"
#include "formats/output_buffer.h"
#include "formats/profile_parser.h"

namespace tbpr {
namespace {

std::unique_ptr<File> openRetrying(const std::string &path, OpenAccess access, OpenCreation creation,
                                   OpenSharing sharing)
{
    std::unique_ptr<File> file;
    retryUntilTimeout([&] {
        file = File::open(path, access, creation, sharing, kProfileFileFlags);
        return file->usable() || file->error() != OpenError::Locked;
    });
    return file;
}

// The text form has no escaping: refuse a tree it would change.
bool textCanHold(const ProfJob &job, SaveFormat format, const std::string &target)
{
    if (format != SaveFormat::Text)
        return true;
    const bool rootOk = job.root.name() == "/" || listNameRepresentableInText(job.root.name());
    const Item *bad = findUnrepresentableInText(job.root);
    if (rootOk && !bad)
        return true;
    hooks::diagnostic(
        "%s: item '%s' cannot be saved in the text format (line break, or a name the format reads "
        "differently); nothing written",
        target.c_str(), bad ? bad->name.c_str() : job.root.name().c_str());
    return false;
}

// Header, tree and footer (headers only at stream depth 0). False when a write failed.
bool writeDocument(File &file, const ItemList &root, int streamDepth, SaveFormat format)
{
    OutputBuffer out(file);
    if (streamDepth == 0) {
        file.seek(0);
        writeHeader(out, format);
        writeTree(out, root, format == SaveFormat::Text ? 0 : 1, format);
        writeFooter(out, format);
    } else {
        writeTree(out, root, streamDepth, format);
    }
    return out.flush();
}

enum class SourceKind { Text, Utf16Text, Xml, Xfdf, Ini };

SourceKind detect(File &file, const ProfJob &job)
{
    unsigned char head[4] = {};
    if (job.streamDepth == 0 && file.readAt(0, head, 2) == 2 && head[0] == 0xFF && head[1] == 0xFE) {
        char16_t unit = 0;
        unsigned char next[2] = {};
        if (file.read(next, 2) == 2)
            unit = static_cast<char16_t>(next[0] | (next[1] << 8));
        return unit == '<' ? SourceKind::Xml : SourceKind::Utf16Text;
    }
    // A source of fewer than two bytes is read as 8-bit text.
    const size_t got = file.readAt(0, head, 4);
    if (got >= 1 && head[0] == '<')
        return SourceKind::Xfdf;
    if (job.root.name() == "/" && got == 4 && head[0] == '[' && !(head[1] == '/' && head[2] == ']'))
        return SourceKind::Ini;
    return SourceKind::Text;
}

} // namespace

bool loadProfileJob(ProfJob &job, File &file)
{
    const auto lock = file.lockRange(0, 1);
    if (!lock)
        return false;
    const SourceKind kind = detect(file, job);
    const bool utf16 = kind == SourceKind::Xml || kind == SourceKind::Utf16Text;
    bool loaded = false;
    {
        LineReader reader(file, utf16);
        if (reader.ok()) {
            if (kind == SourceKind::Ini) {
                readIniFile(job.root, reader);
                loaded = true;
            } else {
                const ParseMode mode = kind == SourceKind::Xml    ? ParseMode::Xml
                                       : kind == SourceKind::Xfdf ? ParseMode::Xfdf
                                                                  : ParseMode::Text;
                int lines = 0;
                try {
                    parseProfileLines(mode, job.streamDepth - 1, job.root, reader, lines);
                    loaded = true;
                } catch (const LoadException &fault) {
                    hooks::diagnostic("%s: error '%s' in line %d", file.displayName().c_str(), fault.what(),
                                      fault.line());
                    job.lastError = -7;
                }
            }
        }
    }
    file.unlockRange(*lock);
    return loaded;
}

std::unique_ptr<ProfJob> openProfileJobFromFile(const char *path, bool exclusive)
{
    auto job = std::make_unique<ProfJob>();
    job->exclusive = exclusive;
    if (!path)
        return job;
    job->path = path;
    std::unique_ptr<File> file =
        exclusive
            ? openRetrying(job->path, OpenAccess::ReadWrite, OpenCreation::OpenOrCreate, OpenSharing::Read)
            : openRetrying(job->path, OpenAccess::Read, OpenCreation::Existing, OpenSharing::Read);
    if (!file->usable()) {
        job->lastError = file->error() == OpenError::Locked ? -1 : -10;
        return job;
    }
    const uint64_t size = file->size();
    if (size == ~0ULL || (size > 0 && !loadProfileJob(*job, *file))) {
        if (job->lastError == 0)
            job->lastError = -10;
        return job;
    }
    if (exclusive)
        job->keptFile = std::move(file);
    return job;
}

std::unique_ptr<ProfJob> openProfileJobFromClipboard()
{
    auto job = std::make_unique<ProfJob>();
    auto temp = File::temporary();
    if (!temp->usable()) {
        job->lastError = -1;
        return job;
    }
    const std::optional<std::string> bytes = clipboardBackend().read();
    if (!bytes || temp->write(bytes->data(), bytes->size()) != bytes->size()) {
        job->lastError = -1;
        return job;
    }
    if (!loadProfileJob(*job, *temp) && job->lastError == 0)
        job->lastError = -10;
    return job;
}

std::unique_ptr<ProfJob> openProfileJobFromStream(ProfStream *stream, const std::string &rootName, int depth)
{
    auto job = std::make_unique<ProfJob>();
    job->root.setName(ItemList::nameFromText(rootName));
    job->exclusive = true;
    job->streamDepth = depth;
    if (!stream)
        return job;
    auto wrapper = File::fromStream(stream);
    if (!wrapper->usable()) {
        job->lastError = -1;
        return job;
    }
    if (!loadProfileJob(*job, *wrapper) && job->lastError == 0)
        job->lastError = -10;
    job->keptFile = std::move(wrapper);
    return job;
}

int saveProfileJob(ProfJob &job, const char *path, SaveFormat format)
{
    const bool toKeptFile = job.exclusive && job.keptFile && (!path || job.keptFile->displayName() == path);
    const std::string target = toKeptFile ? job.keptFile->displayName() : std::string(path ? path : job.path);
    if (!textCanHold(job, format, target))
        return -9;

    std::unique_ptr<File> opened;
    File *file = job.keptFile.get();
    if (!toKeptFile) {
        // Not truncated at open: the file is cut only after the lock is held.
        opened = openRetrying(target, OpenAccess::Write, OpenCreation::OpenOrCreate, OpenSharing::None);
        if (!opened->usable())
            return -3;
        file = opened.get();
    }
    const auto lock = file->lockRange(0, 1);
    if (!lock)
        return -4;
    bool ok = true;
    if (!job.root.empty())
        ok = writeDocument(*file, job.root, job.streamDepth, format);
    else if (job.streamDepth == 0)
        file->seek(0); // an emptied job empties its file
    ok = file->setEnd() && ok;
    file->unlockRange(*lock);
    return ok ? 0 : -4;
}

int saveProfileJobToStream(ProfStream *stream, ProfJob &job, SaveFormat format)
{
    const bool toKeptFile = job.exclusive && job.keptFile && (!stream || stream == job.keptFile->stream());
    if (!textCanHold(job, format, kStreamName))
        return -9;
    std::unique_ptr<File> wrapper;
    File *file = job.keptFile.get();
    if (!toKeptFile) {
        wrapper = File::fromStream(stream);
        file = wrapper.get();
    }
    if (!file->usable())
        return -4;
    // Room for the whole tree first, then write from the start and cut the rest.
    file->seek(estimateListSize(job.root, job.streamDepth, format) + 2000);
    file->setEnd();
    file->seek(0);
    bool ok = true;
    if (!job.root.empty())
        ok = writeDocument(*file, job.root, job.streamDepth, format);
    ok = file->setEnd() && ok;
    return ok ? 0 : -4;
}

int saveProfileJobToClipboard(ProfJob &job, SaveFormat format)
{
    if (!textCanHold(job, format, "(Clipboard)"))
        return -9;
    auto temp = File::temporary();
    if (!temp->usable())
        return -3;
    if (!job.root.empty() && !writeDocument(*temp, job.root, 0, format))
        return -4;
    std::string bytes(temp->size(), '\0');
    if (temp->readAt(0, bytes.data(), bytes.size()) != bytes.size())
        return -4;
    return clipboardBackend().write(bytes);
}

bool clipboardHoldsProfile()
{
    return clipboardBackend().available();
}

} // namespace tbpr
