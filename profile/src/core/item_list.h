#pragma once
// The profile tree: ordered lists of named values and named sublists.
// Names need not be unique; lookups take the first match of the right kind.
#include "core/name_index.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tbpr {

class ItemList;

struct Item {
    std::string name;
    std::string value;
    std::unique_ptr<ItemList> sublist; // set for a list item
    // Set once a path cache has remembered this value item.
    mutable bool remembered = false;

    Item() = default;
    ~Item();
    Item(const Item &) = delete;
    Item &operator=(const Item &) = delete;

    bool isList() const { return sublist != nullptr; }
};

// How often a value item that a path cache remembered has ended,
// process-wide. Items are only ever appended, so a first match stays the
// first match until it or a list on its path ends, and a list ends only
// with everything in it.
uint64_t rememberedEnds();

class ItemList {
public:
    // A name text beginning with "[" loses its first and last character
    // ("[Fonts]" -> "Fonts", "[" -> "").
    static std::string nameFromText(std::string_view text);
    static std::unique_ptr<ItemList> fromText(std::string_view text);

    explicit ItemList(std::string name = {}) : name_(std::move(name)) {}
    ~ItemList();
    ItemList(const ItemList &) = delete;
    ItemList &operator=(const ItemList &) = delete;

    // A list item's name is its sublist's name, set before the list is appended.
    const std::string &name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    const std::vector<std::unique_ptr<Item>> &items() const { return items_; }
    size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }

    Item &appendValue(std::string name, std::string value);
    // Appends a list item holding the list; returns the list.
    ItemList &appendList(std::unique_ptr<ItemList> list);
    void clear();
    // Removes (and deletes) every item for which the predicate holds.
    template <typename Predicate> size_t removeIf(Predicate predicate);
    // Removes the list item holding this sublist; false when it is not here.
    bool removeSublist(const ItemList *sublist);

    Item *firstValue(std::string_view name) const;
    ItemList *firstList(std::string_view name) const;

private:
    Item *firstOfKind(std::string_view name, bool list) const;
    const NameIndex &index() const;
    void indexItem(Item &item);
    void dropIndex();

    std::string name_;
    std::vector<std::unique_ptr<Item>> items_;
    // Name index of longer lists, built on first lookup; appends keep it
    // current, removals drop it.
    mutable NameIndex index_;
};

template <typename Predicate> size_t ItemList::removeIf(Predicate predicate)
{
    std::vector<std::unique_ptr<Item>> removed;
    std::vector<std::unique_ptr<Item>> kept;
    kept.reserve(items_.size());
    for (auto &item : items_) {
        if (predicate(static_cast<const Item &>(*item)))
            removed.push_back(std::move(item));
        else
            kept.push_back(std::move(item));
    }
    if (removed.empty()) {
        items_ = std::move(kept);
        return 0;
    }
    dropIndex();
    items_ = std::move(kept);
    return removed.size();
}

// A deep copy of a list's items (the copy's list names go through the
// "[" rule again, as every list made from a name does).
std::unique_ptr<ItemList> cloneList(const ItemList &source);

} // namespace tbpr
