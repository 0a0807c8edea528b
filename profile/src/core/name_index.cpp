#include "core/name_index.h"

#include "core/item_list.h"

#include <cstring>

namespace tbpr {
namespace {

constexpr uint64_t kMul1 = 0x9E3779B97F4A7C15ull;
constexpr uint64_t kMul2 = 0xFF51AFD7ED558CCDull;
constexpr size_t kMinSlots = 16;

uint64_t mix(uint64_t h, uint64_t word)
{
    h = (h ^ word) * kMul2;
    return h ^ (h >> 29);
}

// Names are short: compared a word at a time without a library call.
inline __attribute__((always_inline)) bool sameName(std::string_view a, std::string_view b)
{
    size_t n = b.size();
    if (a.size() != n)
        return false;
    const char *p = a.data();
    const char *q = b.data();
    for (; n >= 8; n -= 8, p += 8, q += 8) {
        uint64_t x;
        uint64_t y;
        std::memcpy(&x, p, 8);
        std::memcpy(&y, q, 8);
        if (x != y)
            return false;
    }
    for (; n > 0; --n) {
        if (*p++ != *q++)
            return false;
    }
    return true;
}

// The name of a slot's target: a sublist has its item's name.
inline __attribute__((always_inline)) std::string_view targetName(uint64_t key, const void *target)
{
    if (key & 1)
        return static_cast<const ItemList *>(target)->name();
    return static_cast<const Item *>(target)->name;
}

inline __attribute__((always_inline)) uint64_t hashOf(std::string_view name)
{
    const char *p = name.data();
    size_t n = name.size();
    uint64_t h = kMul1 ^ (n * kMul2);
    for (; n >= 8; n -= 8, p += 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        h = mix(h, word);
    }
    if (n > 0) {
        uint64_t word = 0;
        for (size_t i = 0; i < n; ++i)
            word |= uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
        h = mix(h, word);
    }
    h *= kMul1;
    return h ^ (h >> 32);
}

} // namespace

uint64_t nameHash(std::string_view name)
{
    return hashOf(name);
}

void NameIndex::clear()
{
    std::vector<Slot>().swap(slots_);
    used_ = 0;
}

void NameIndex::reserve(size_t n)
{
    size_t size = kMinSlots;
    while (size < 2 * n)
        size *= 2;
    if (size <= slots_.size())
        return;
    std::vector<Slot> old(size);
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (const Slot &slot : old) {
        if (!slot.target)
            continue;
        size_t i = (slot.key >> 1) & mask;
        while (slots_[i].target)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

void NameIndex::add(Item &item)
{
    if (2 * (used_ + 1) > slots_.size())
        reserve(used_ + 1);
    const bool list = item.isList();
    insert(keyOf(hashOf(item.name), list), list ? static_cast<void *>(item.sublist.get()) : &item, item.name);
}

void NameIndex::insert(uint64_t key, void *target, std::string_view name)
{
    const size_t mask = slots_.size() - 1;
    for (size_t i = (key >> 1) & mask;; i = (i + 1) & mask) {
        Slot &slot = slots_[i];
        if (!slot.target) {
            slot = Slot{key, target};
            ++used_;
            return;
        }
        if (slot.key == key && sameName(targetName(key, slot.target), name))
            return; // an earlier one of this name and kind stays first
    }
}

void *NameIndex::find(std::string_view name, bool list) const
{
    if (slots_.empty())
        return nullptr;
    const uint64_t key = keyOf(hashOf(name), list);
    const size_t mask = slots_.size() - 1;
    for (size_t i = (key >> 1) & mask;; i = (i + 1) & mask) {
        const Slot &slot = slots_[i];
        if (!slot.target)
            return nullptr;
        if (slot.key == key && sameName(targetName(key, slot.target), name))
            return slot.target;
    }
}

Item *NameIndex::findValue(std::string_view name) const
{
    return static_cast<Item *>(find(name, false));
}

ItemList *NameIndex::findList(std::string_view name) const
{
    return static_cast<ItemList *>(find(name, true));
}

} // namespace tbpr
