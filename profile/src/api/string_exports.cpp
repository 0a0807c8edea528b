// Exports that read and write values as text.
#include "api/export_support.h"
#include "api/value_access.h"
#include "core/mb_text.h"
#include "core/profile_paths.h"

using namespace tbpr;
using tbpr::api::baseList;
using tbpr::api::guarded;
using tbpr::api::guardedVoid;
using tbpr::api::NarrowArg;

extern "C" {

int ProfGetStringA(ProfJob *job, ProfList *list, const char *path, char *buffer, int size,
                   const char *defaultText)
{
    return guarded(-8, -8, [&] {
        if (buffer && buffer != defaultText && size > 0)
            MbStrNCopy(static_cast<size_t>(size), defaultText, buffer);
        if (!job)
            return -5;
        ItemList &base = baseList(*job, list, path);
        return copyItemValue(job->paths.valueItem(base, path), buffer, size);
    });
}

int ProfGetStringW(ProfJob *job, ProfList *list, const char16_t *path, char16_t *buffer, int size,
                   const char16_t *defaultText)
{
    return guarded(-8, -8, [&] {
        return api::wideStringGetter(
            path, buffer, size, defaultText,
            [&](const char *narrowPath, char *out, int outSize, const char *narrowDefault) {
                return ProfGetStringA(job, list, narrowPath, out, outSize, narrowDefault);
            });
    });
}

int ProfGetStringLengthA(ProfJob *job, ProfList *list, const char *path)
{
    return guarded(-8, -8, [&] {
        if (!job)
            return -5;
        ItemList &base = baseList(*job, list, path);
        const Item *item = job->paths.valueItem(base, path);
        return item ? static_cast<int>(item->value.size()) : kNotFound;
    });
}

int ProfGetStringLengthW(ProfJob *job, ProfList *list, const char16_t *path)
{
    return guarded(-8, -8, [&] { return ProfGetStringLengthA(job, list, NarrowArg(path)); });
}

void ProfSetStringA(ProfJob *job, ProfList *list, const char *path, const char *value)
{
    guardedVoid([&] { api::storeValue(job, list, path, value ? value : "", api::Store::Set); });
}

void ProfSetStringW(ProfJob *job, ProfList *list, const char16_t *path, const char16_t *value)
{
    guardedVoid([&] { ProfSetStringA(job, list, NarrowArg(path), NarrowArg(value)); });
}

void ProfAppendStringA(ProfJob *job, ProfList *list, const char *path, const char *value)
{
    guardedVoid([&] { api::storeValue(job, list, path, value ? value : "", api::Store::Append); });
}

void ProfAppendStringW(ProfJob *job, ProfList *list, const char16_t *path, const char16_t *value)
{
    guardedVoid([&] { ProfAppendStringA(job, list, NarrowArg(path), NarrowArg(value)); });
}

} // extern "C"
