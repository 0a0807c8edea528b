#pragma once
// The name index of a list: the first value and the first sublist of each
// name, found by hash. Open addressing over a power-of-two table; every slot
// keeps the name's hash beside its target (the value item, or the sublist
// itself, which carries its item's name), so a probe reads a target only
// when the hashes agree and a walk through lists never reads their items.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tbpr {

struct Item;
class ItemList;

// A fast hash of a short name (8 bytes at a time, mixed at the end).
uint64_t nameHash(std::string_view name);

class NameIndex {
public:
    bool empty() const { return slots_.empty(); }
    // Forgets every entry and frees the table.
    void clear();
    // Makes room for n names without growing.
    void reserve(size_t n);
    // Records the item (a list item by its sublist) unless one of its name
    // and kind is recorded already.
    void add(Item &item);
    Item *findValue(std::string_view name) const;
    ItemList *findList(std::string_view name) const;

private:
    struct Slot {
        uint64_t key = 0;       // the name's hash, its lowest bit set for a list
        void *target = nullptr; // Item for a value, ItemList for a list
    };
    static uint64_t keyOf(uint64_t hash, bool list) { return (hash & ~uint64_t{1}) | (list ? 1 : 0); }
    void insert(uint64_t key, void *target, std::string_view name);
    void *find(std::string_view name, bool list) const;

    std::vector<Slot> slots_;
    size_t used_ = 0;
};

} // namespace tbpr
