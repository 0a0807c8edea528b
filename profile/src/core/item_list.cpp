#include "core/item_list.h"

#include <atomic>

namespace tbpr {
namespace {

constexpr size_t kIndexThreshold = 8;

std::atomic<uint64_t> g_rememberedEnds{0};

void noteRememberedEnd()
{
    g_rememberedEnds.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

uint64_t rememberedEnds()
{
    return g_rememberedEnds.load(std::memory_order_relaxed);
}

Item::~Item()
{
    if (remembered)
        noteRememberedEnd();
}

ItemList::~ItemList()
{
    // Tears the subtree down level by level instead of recursively, so a
    // deep tree cannot exhaust the stack.
    std::vector<std::unique_ptr<ItemList>> pending;
    auto detachSublists = [&pending](std::vector<std::unique_ptr<Item>> &items) {
        for (auto &item : items) {
            if (item->sublist)
                pending.push_back(std::move(item->sublist));
        }
    };
    detachSublists(items_);
    while (!pending.empty()) {
        std::unique_ptr<ItemList> list = std::move(pending.back());
        pending.pop_back();
        detachSublists(list->items_);
    }
}

std::string ItemList::nameFromText(std::string_view text)
{
    if (!text.empty() && text.front() == '[') {
        if (text.size() <= 2)
            return {};
        return std::string(text.substr(1, text.size() - 2));
    }
    return std::string(text);
}

std::unique_ptr<ItemList> ItemList::fromText(std::string_view text)
{
    return std::make_unique<ItemList>(nameFromText(text));
}

Item &ItemList::appendValue(std::string name, std::string value)
{
    auto item = std::make_unique<Item>();
    item->name = std::move(name);
    item->value = std::move(value);
    items_.push_back(std::move(item));
    indexItem(*items_.back());
    return *items_.back();
}

ItemList &ItemList::appendList(std::unique_ptr<ItemList> list)
{
    auto item = std::make_unique<Item>();
    item->name = list->name();
    item->sublist = std::move(list);
    items_.push_back(std::move(item));
    indexItem(*items_.back());
    return *items_.back()->sublist;
}

void ItemList::clear()
{
    dropIndex();
    // Detach first: deleting a deep subtree must not see a half-cleared list.
    std::vector<std::unique_ptr<Item>> old;
    old.swap(items_);
}

bool ItemList::removeSublist(const ItemList *sublist)
{
    return removeIf([sublist](const Item &item) { return item.sublist.get() == sublist; }) > 0;
}

void ItemList::indexItem(Item &item)
{
    if (!index_.empty())
        index_.add(item);
}

void ItemList::dropIndex()
{
    index_.clear();
}

Item *ItemList::firstOfKind(std::string_view name, bool list) const
{
    for (const auto &item : items_) {
        if (item->isList() == list && std::string_view(item->name) == name)
            return item.get();
    }
    return nullptr;
}

const NameIndex &ItemList::index() const
{
    if (index_.empty()) {
        index_.reserve(items_.size());
        for (const auto &item : items_)
            index_.add(*item);
    }
    return index_;
}

Item *ItemList::firstValue(std::string_view name) const
{
    if (items_.size() < kIndexThreshold)
        return firstOfKind(name, false);
    return index().findValue(name);
}

ItemList *ItemList::firstList(std::string_view name) const
{
    if (items_.size() < kIndexThreshold) {
        const Item *item = firstOfKind(name, true);
        return item ? item->sublist.get() : nullptr;
    }
    return index().findList(name);
}

std::unique_ptr<ItemList> cloneList(const ItemList &source)
{
    auto copy = std::make_unique<ItemList>(source.name());
    for (const auto &item : source.items()) {
        if (item->isList()) {
            auto sub = cloneList(*item->sublist);
            sub->setName(ItemList::nameFromText(item->sublist->name()));
            copy->appendList(std::move(sub));
        } else {
            copy->appendValue(item->name, item->value);
        }
    }
    return copy;
}

} // namespace tbpr
