#pragma once
// The job record behind a ProfJob handle: one profile tree with its source.
#include "core/file.h"
#include "core/item_list.h"
#include "core/path_cache.h"

#include <atomic>
#include <memory>
#include <string>

struct ProfJob {
    std::string path;       // opened from; default target of a save without a path
    bool exclusive = false; // the file (or stream) stays open in keptFile
    tbpr::ItemList root{"/"};
    tbpr::PathCache paths; // value items found by path, from any start list
    int lastError = 0;
    std::unique_ptr<tbpr::File> keptFile;
    int streamDepth = 0;
    std::atomic<int> referenceCount{1};
};

namespace tbpr {

inline ItemList *asList(ProfList *list)
{
    return reinterpret_cast<ItemList *>(list);
}
inline ProfList *asHandle(ItemList *list)
{
    return reinterpret_cast<ProfList *>(list);
}

} // namespace tbpr
