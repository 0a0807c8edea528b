// Exports that open, share, close and save jobs, and the library options.
#include "api/export_support.h"
#include "core/code_page.h"
#include "core/profile_paths.h"
#include "formats/profile_io.h"

using namespace tbpr;
using tbpr::api::guarded;
using tbpr::api::guardedVoid;
using tbpr::api::NarrowArg;

namespace {

constexpr int kVersion = 0x0E02;

template <typename Open> ProfJob *openJob(Open open)
{
    return guarded<ProfJob *>(nullptr, nullptr, [&] { return open().release(); });
}

} // namespace

extern "C" {

ProfJob *ProfJobOpenA(const char *path)
{
    return openJob([&] { return openProfileJobFromFile(path, false); });
}

ProfJob *ProfJobOpenW(const char16_t *path)
{
    return guarded<ProfJob *>(nullptr, nullptr, [&] { return ProfJobOpenA(NarrowArg(path)); });
}

ProfJob *ProfJobOpenExclusiveA(const char *path)
{
    return openJob([&] { return openProfileJobFromFile(path, true); });
}

ProfJob *ProfJobOpenExclusiveW(const char16_t *path)
{
    return guarded<ProfJob *>(nullptr, nullptr, [&] { return ProfJobOpenExclusiveA(NarrowArg(path)); });
}

ProfJob *ProfJobOpenStreamObjectA(ProfStream *stream, const char *rootName, int depth)
{
    return openJob([&] { return openProfileJobFromStream(stream, rootName ? rootName : "", depth); });
}

ProfJob *ProfJobOpenStreamObjectW(ProfStream *stream, const char16_t *rootName, int depth)
{
    return guarded<ProfJob *>(nullptr, nullptr,
                              [&] { return ProfJobOpenStreamObjectA(stream, NarrowArg(rootName), depth); });
}

ProfJob *ProfJobOpenStream(ProfStream *stream)
{
    return openJob([&] { return openProfileJobFromStream(stream, "/", 0); });
}

ProfJob *ProfJobOpenClipboard(void *)
{
    return openJob([] { return openProfileJobFromClipboard(); });
}

void ProfJobAddRef(ProfJob *job)
{
    guardedVoid([&] {
        if (job)
            job->referenceCount.fetch_add(1, std::memory_order_relaxed);
    });
}

void ProfJobClose(ProfJob *job)
{
    guardedVoid([&] {
        if (job && job->referenceCount.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete job;
    });
}

int ProfGetError(ProfJob *job)
{
    return guarded(-5, -8, [&] { return job ? job->lastError : -5; });
}

int ProfSaveA(ProfJob *job, const char *path, int format)
{
    return guarded(-4, -8,
                   [&] { return job ? saveProfileJob(*job, path, saveFormatFromNumber(format)) : -5; });
}

int ProfSaveW(ProfJob *job, const char16_t *path, int format)
{
    return guarded(-4, -8, [&] { return ProfSaveA(job, NarrowArg(path), format); });
}

int ProfSaveToStream(ProfJob *job, ProfStream *stream, int format)
{
    return guarded(-4, -8, [&] {
        return job ? saveProfileJobToStream(stream, *job, saveFormatFromNumber(format)) : -5;
    });
}

int ProfSaveToClipboard(ProfJob *job, void *, int format)
{
    return guarded(-4, -8,
                   [&] { return job ? saveProfileJobToClipboard(*job, saveFormatFromNumber(format)) : -5; });
}

int ProfIsClipboardDataAvailable(void)
{
    return guarded(0, 0, [] { return clipboardHoldsProfile() ? 1 : 0; });
}

int ProfSetOption(int option, int value)
{
    return guarded(0, 0, [&] {
        if (option != PROF_OPTION_CODEPAGE)
            return option - 1;
        // An unusable page is refused and the old one kept.
        return setCurrentCodePage(static_cast<uint16_t>(value & 0xFFFF)) ? 1 : 0;
    });
}

int ProfGetOption(int option)
{
    return guarded(0, 0, [&] { return option == PROF_OPTION_CODEPAGE ? int{currentCodePage().number} : 0; });
}

int ProfGetVersion(int selector)
{
    return guarded(-1, -1, [&] {
        switch (selector) {
        case 0:
            return kVersion;
        case 1:
            return kVersion >> 8;
        case 2:
            return kVersion & 0xFF;
        default:
            return -1;
        }
    });
}

void ProfSetDebug(int)
{
    guardedVoid([] {});
}

int ProfDebugList(ProfJob *job, ProfList *list)
{
    return guarded(-5, -8, [&] {
        if (!job)
            return -5;
        dumpList(api::listOrRoot(*job, list), 0);
        return 0;
    });
}

} // extern "C"
