#include "core/path_cache.h"

#include "core/name_index.h"
#include "core/profile_paths.h"

#include <algorithm>
#include <cstring>

namespace tbpr {
namespace {

constexpr size_t kMinEntries = 64;
// Beyond this many paths the cache starts again rather than grow.
constexpr size_t kMaxPaths = size_t{1} << 15;
// Longer paths are walked every time.
constexpr size_t kMaxPathLength = 512;
// The remembered paths together; beyond this the cache starts again.
constexpr size_t kMaxPathBytes = size_t{1} << 20;

size_t slotOf(uint64_t hash, size_t mask)
{
    return static_cast<size_t>(hash >> 7) & mask;
}

} // namespace

Item *PathCache::valueItem(const ItemList &base, const char *path, const CodePage &page)
{
    const uint64_t removals = rememberedEnds();
    if (removals != removals_ || &page != page_) {
        forget();
        removals_ = removals;
        page_ = &page;
    }
    const std::string_view text(path ? path : "");
    if (text.size() > kMaxPathLength)
        return const_cast<Item *>(findValueItem(base, path, page));
    const uint64_t hash = nameHash(text);
    if (!entries_.empty()) {
        const size_t mask = entries_.size() - 1;
        for (size_t i = slotOf(hash, mask);; i = (i + 1) & mask) {
            const Entry &entry = entries_[i];
            if (entry.epoch != epoch_)
                break;
            if (entry.hash == hash && entry.base == &base && entry.length == text.size() &&
                std::memcmp(paths_.data() + entry.offset, text.data(), text.size()) == 0)
                return entry.item;
        }
    }
    Item *item = findValueItemMarked(base, path, page);
    if (item)
        remember(hash, base, text, *item);
    return item;
}

void PathCache::forget()
{
    if (used_ == 0)
        return;
    if (++epoch_ == 0) { // the epochs wrapped: free the entries for real
        std::fill(entries_.begin(), entries_.end(), Entry{});
        epoch_ = 1;
    }
    paths_.clear();
    used_ = 0;
}

void PathCache::remember(uint64_t hash, const ItemList &base, std::string_view path, Item &item)
{
    if (used_ >= kMaxPaths || paths_.size() + path.size() > kMaxPathBytes)
        forget();
    if (2 * (used_ + 1) > entries_.size())
        grow();
    const size_t mask = entries_.size() - 1;
    size_t i = slotOf(hash, mask);
    while (entries_[i].epoch == epoch_)
        i = (i + 1) & mask;
    entries_[i] = Entry{
        hash, &base, &item, static_cast<uint32_t>(paths_.size()), static_cast<uint16_t>(path.size()), epoch_};
    paths_.append(path);
    ++used_;
}

void PathCache::grow()
{
    std::vector<Entry> old(entries_.empty() ? kMinEntries : 2 * entries_.size());
    old.swap(entries_);
    const size_t mask = entries_.size() - 1;
    for (const Entry &entry : old) {
        if (entry.epoch != epoch_)
            continue;
        size_t i = slotOf(entry.hash, mask);
        while (entries_[i].epoch == epoch_)
            i = (i + 1) & mask;
        entries_[i] = entry;
    }
}

} // namespace tbpr
