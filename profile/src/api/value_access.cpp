#include "api/value_access.h"

#include "api/export_support.h"
#include "core/profile_paths.h"

namespace tbpr::api {

void storeValue(ProfJob *job, ProfList *list, const char *path, std::string text, Store how)
{
    if (!job)
        return;
    ItemList &base = baseList(*job, list, path);
    if (how == Store::Set) {
        if (Item *item = job->paths.valueItem(base, path)) {
            item->value = std::move(text);
            return;
        }
        setValue(base, path ? path : "", std::move(text));
    } else
        appendValue(base, path ? path : "", std::move(text));
}

const std::string *nonEmptyValue(ProfJob &job, ProfList *list, const char *path)
{
    ItemList &base = baseList(job, list, path);
    const Item *item = job.paths.valueItem(base, path);
    if (!item || item->value.empty())
        return nullptr;
    return &item->value;
}

} // namespace tbpr::api
