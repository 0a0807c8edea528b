// Exports that find, create, delete, enumerate and copy lists.
#include "api/export_support.h"
#include "core/profile_paths.h"

using namespace tbpr;
using tbpr::api::baseList;
using tbpr::api::guarded;
using tbpr::api::guardedVoid;
using tbpr::api::listOrRoot;
using tbpr::api::NarrowArg;

extern "C" {

ProfList *ProfGetListA(ProfJob *job, ProfList *list, const char *path)
{
    return guarded<ProfList *>(nullptr, nullptr, [&]() -> ProfList * {
        if (!job)
            return nullptr;
        ItemList &base = baseList(*job, list, path);
        return asHandle(findList(base, path));
    });
}

ProfList *ProfGetListW(ProfJob *job, ProfList *list, const char16_t *path)
{
    return guarded<ProfList *>(nullptr, nullptr, [&] { return ProfGetListA(job, list, NarrowArg(path)); });
}

ProfList *ProfCreateListA(ProfJob *job, ProfList *list, const char *path)
{
    return guarded<ProfList *>(nullptr, nullptr, [&]() -> ProfList * {
        if (!job)
            return nullptr;
        ItemList &base = baseList(*job, list, path);
        return asHandle(&createList(base, path));
    });
}

ProfList *ProfCreateListW(ProfJob *job, ProfList *list, const char16_t *path)
{
    return guarded<ProfList *>(nullptr, nullptr, [&] { return ProfCreateListA(job, list, NarrowArg(path)); });
}

ProfList *ProfAppendListA(ProfJob *job, ProfList *list, const char *path)
{
    return guarded<ProfList *>(nullptr, nullptr, [&]() -> ProfList * {
        if (!job)
            return nullptr;
        ItemList &base = baseList(*job, list, path);
        return asHandle(&appendList(base, path));
    });
}

ProfList *ProfAppendListW(ProfJob *job, ProfList *list, const char16_t *path)
{
    return guarded<ProfList *>(nullptr, nullptr, [&] { return ProfAppendListA(job, list, NarrowArg(path)); });
}

int ProfEmptyList(ProfJob *job, ProfList *list)
{
    return guarded(-5, -8, [&] {
        if (!job)
            return -5;
        listOrRoot(*job, list).clear();
        return 0;
    });
}

void ProfDeleteListA(ProfJob *job, ProfList *list, const char *path)
{
    guardedVoid([&] {
        if (!job)
            return;
        if (!path) {
            // The list given by its handle, wherever it hangs in the tree.
            if (list)
                deleteListByHandle(job->root, asList(list));
            return;
        }
        ItemList &base = baseList(*job, list, path);
        deleteLists(base, path);
    });
}

void ProfDeleteListW(ProfJob *job, ProfList *list, const char16_t *path)
{
    guardedVoid([&] { ProfDeleteListA(job, list, NarrowArg(path)); });
}

void ProfDeleteItemA(ProfJob *job, ProfList *list, const char *path)
{
    guardedVoid([&] {
        if (!job)
            return;
        ItemList &base = baseList(*job, list, path);
        deleteItems(base, path);
    });
}

void ProfDeleteItemW(ProfJob *job, ProfList *list, const char16_t *path)
{
    guardedVoid([&] { ProfDeleteItemA(job, list, NarrowArg(path)); });
}

int ProfEnumA(ProfJob *job, ProfList *list, ProfEnumCallbackA callback, void *userData)
{
    return guarded(0, 0, [&] {
        if (!job || !callback)
            return 0;
        return enumList(listOrRoot(*job, list), [&](const Item &item) {
            return callback(job, item.name.c_str(), item.isList() ? "" : item.value.c_str(),
                            asHandle(item.sublist.get()), userData);
        });
    });
}

int ProfEnumW(ProfJob *job, ProfList *list, ProfEnumCallbackW callback, void *userData)
{
    return guarded(0, 0, [&] {
        if (!job || !callback)
            return 0;
        return enumList(listOrRoot(*job, list), [&](const Item &item) {
            const std::u16string name = widen(item.name);
            const std::u16string value = item.isList() ? std::u16string() : widen(item.value);
            return callback(job, name.c_str(), value.c_str(), asHandle(item.sublist.get()), userData);
        });
    });
}

int ProfCopyList(ProfJob *targetJob, ProfList *targetList, ProfJob *sourceJob, ProfList *sourceList)
{
    return guarded(-8, -8, [&] {
        if (!sourceJob || (!targetJob && !targetList))
            return -5;
        ItemList &target = targetList ? *asList(targetList) : targetJob->root;
        // A snapshot first: copying a list into itself or a descendant must end.
        std::unique_ptr<ItemList> snapshot = cloneList(listOrRoot(*sourceJob, sourceList));
        for (const auto &item : snapshot->items()) {
            if (item->isList())
                target.appendList(std::move(item->sublist));
            else
                target.appendValue(item->name, item->value);
        }
        return 0;
    });
}

} // extern "C"
