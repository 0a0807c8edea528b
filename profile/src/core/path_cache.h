#pragma once
// Value items found by path, remembered per job: a repeated lookup of the
// same path from the same list costs one hash and one comparison of the
// path instead of a walk through the tree. Items are only ever appended, so
// a first match stays the first match until it or a list on its path ends,
// which ends the match too; found items are marked, and the cache forgets
// everything once a marked one has ended anywhere, or when the code page
// has changed.
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
        Item *item = nullptr;
        uint32_t offset = 0; // of the path in paths_
        uint16_t length = 0;
        uint16_t epoch = 0; // an entry of an earlier epoch counts as free
    };
    // Starts a new epoch: every entry is free at once, the table stays.
    void forget();
    void remember(uint64_t hash, const ItemList &base, std::string_view path, Item &item);
    void grow();

    std::vector<Entry> entries_;
    std::string paths_; // the remembered paths, one after another
    size_t used_ = 0;
    uint16_t epoch_ = 1;
    uint64_t removals_ = 0;
    const CodePage *page_ = nullptr;
};

} // namespace tbpr
