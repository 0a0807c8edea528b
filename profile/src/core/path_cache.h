#pragma once
// Value items found by path, remembered per job: a repeated lookup of the
// same path from the same list costs one hash and one comparison of the
// path instead of a walk through the tree. Items are only ever appended, so
// a first match stays the first match until an item or list on its walk
// ends; the walk marks them, and the cache forgets everything once a marked
// one has ended anywhere, or when the code page has changed.
#include "core/code_page.h"
#include "core/item_list.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tbpr {

class PathCache {
public:
    // The value item at the path from base, as findValueItem gives it; a
    // found item is remembered.
    Item *valueItem(const ItemList &base, const char *path, const CodePage &page = currentCodePage());
    size_t size() const { return used_; }

private:
    struct Entry {
        uint64_t hash = 0;
        const ItemList *base = nullptr;
        Item *item = nullptr; // nullptr: a free slot
        uint32_t offset = 0;  // of the path in paths_
        uint32_t length = 0;
    };
    void forget();
    void remember(uint64_t hash, const ItemList &base, std::string_view path, Item &item);
    void grow();

    std::vector<Entry> entries_;
    std::string paths_; // the remembered paths, one after another
    size_t used_ = 0;
    uint64_t removals_ = 0;
    const CodePage *page_ = nullptr;
};

} // namespace tbpr
