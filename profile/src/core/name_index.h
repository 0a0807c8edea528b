#pragma once
// The name index of a list: the first item of each name and kind (value or
// list), found by hash. Open addressing over a power-of-two table; every
// slot keeps the name's hash beside the item, so a probe reads an item only
// when the hashes agree.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tbpr {

struct Item;

// A fast hash of a short name (8 bytes at a time, mixed at the end).
uint64_t nameHash(std::string_view name);

class NameIndex {
public:
    bool empty() const { return slots_.empty(); }
    // Forgets every item and frees the table.
    void clear();
    // Makes room for n names without growing.
    void reserve(size_t n);
    // Records the item unless one of its name and kind is recorded already.
    void add(Item &item);
    Item *find(std::string_view name, bool list) const;

private:
    struct Slot {
        uint64_t key = 0; // the name's hash, its lowest bit replaced by the kind
        Item *item = nullptr;
    };
    static uint64_t keyOf(uint64_t hash, bool list) { return (hash & ~uint64_t{1}) | (list ? 1 : 0); }
    void insert(uint64_t key, Item &item);

    std::vector<Slot> slots_;
    size_t used_ = 0;
};

} // namespace tbpr
