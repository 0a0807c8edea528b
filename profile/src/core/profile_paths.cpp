#include "core/profile_paths.h"

#include "core/hooks.h"
#include "core/mb_text.h"

#include <cstring>
#include <string_view>

namespace tbpr {
namespace {

struct Split {
    std::string_view head; // the first segment
    const char *rest;      // after the "/", or nullptr when head is the last segment
};

Split splitFirst(const char *path, const CodePage &page)
{
    // A byte below 0x80 is a character of its own in every code page, so up
    // to the first byte above 0x7F a "/" separates without asking the page.
    const char *p = path;
    for (; static_cast<unsigned char>(*p) - 1u < 0x7Fu; ++p) {
        if (*p == '/')
            return {std::string_view(path, static_cast<size_t>(p - path)), p + 1};
    }
    if (!*p)
        return {std::string_view(path, static_cast<size_t>(p - path)), nullptr};
    const char *slash = MbStrChr(p, '/', page);
    if (!slash)
        return {std::string_view(path), nullptr};
    return {std::string_view(path, static_cast<size_t>(slash - path)), slash + 1};
}

const char *orEmpty(const char *path)
{
    return path ? path : "";
}

// Mark: the value item found is marked as remembered.
template <bool Mark> Item *walkToValue(const ItemList &list, const char *path, const CodePage &page)
{
    const ItemList *current = &list;
    const char *p = orEmpty(path);
    for (;;) {
        const Split split = splitFirst(p, page);
        if (!split.rest) {
            Item *found = current->firstValue(split.head);
            if (Mark && found)
                found->remembered = true;
            return found;
        }
        current = current->firstList(split.head);
        if (!current)
            return nullptr;
        p = split.rest;
    }
}

} // namespace

const Item *findValueItem(const ItemList &list, const char *path, const CodePage &page)
{
    return walkToValue<false>(list, path, page);
}

Item *findValueItemMarked(const ItemList &list, const char *path, const CodePage &page)
{
    return walkToValue<true>(list, path, page);
}

int copyItemValue(const Item *item, char *buffer, int size, const CodePage &page)
{
    if (!item)
        return kNotFound;
    if (size <= 0 || !buffer)
        return 0;
    const size_t count =
        MbCopyLength(item->value.c_str(), item->value.size(), static_cast<size_t>(size), page);
    std::memcpy(buffer, item->value.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

int findItemValue(const ItemList &list, const char *path, char *buffer, int size, const CodePage &page)
{
    return copyItemValue(findValueItem(list, path, page), buffer, size, page);
}

std::string getItemValueString(const ItemList &list, const char *path, const CodePage &page)
{
    const Item *item = findValueItem(list, path, page);
    return item ? item->value : std::string();
}

int getItemValueLength(const ItemList &list, const char *path, const CodePage &page)
{
    const Item *item = findValueItem(list, path, page);
    return item ? static_cast<int>(item->value.size()) : kNotFound;
}

ItemList *findList(ItemList &list, const char *path, const CodePage &page)
{
    if (!path)
        return &list;
    ItemList *current = &list;
    const char *p = path;
    for (;;) {
        const Split split = splitFirst(p, page);
        current = current->firstList(split.head);
        if (!current || !split.rest)
            return current;
        p = split.rest;
    }
}

ItemList &createList(ItemList &list, const char *path, const CodePage &page)
{
    ItemList *current = &list;
    const char *p = orEmpty(path);
    for (;;) {
        const Split split = splitFirst(p, page);
        ItemList *found = current->firstList(split.head);
        if (!found)
            found = &current->appendList(ItemList::fromText(split.head));
        if (!split.rest) {
            found->clear();
            return *found;
        }
        current = found;
        p = split.rest;
    }
}

ItemList &appendList(ItemList &list, const char *path, const CodePage &page)
{
    ItemList *current = &list;
    const char *p = orEmpty(path);
    for (;;) {
        const Split split = splitFirst(p, page);
        current = &current->appendList(ItemList::fromText(split.head));
        if (!split.rest)
            return *current;
        p = split.rest;
    }
}

ItemList &findOrCreateParent(ItemList &list, const char *path, std::string_view &name, const CodePage &page)
{
    ItemList *current = &list;
    const char *p = orEmpty(path);
    for (;;) {
        const Split split = splitFirst(p, page);
        if (!split.rest) {
            name = split.head;
            return *current;
        }
        ItemList *found = current->firstList(split.head);
        if (!found)
            found = &current->appendList(ItemList::fromText(split.head));
        current = found;
        p = split.rest;
    }
}

void setValue(ItemList &list, const char *path, std::string value, const CodePage &page)
{
    std::string_view name;
    ItemList &parent = findOrCreateParent(list, path, name, page);
    if (Item *item = parent.firstValue(name))
        item->value = std::move(value);
    else
        parent.appendValue(std::string(name), std::move(value));
}

void appendValue(ItemList &list, const char *path, std::string value, const CodePage &page)
{
    std::string_view name;
    ItemList &parent = findOrCreateParent(list, path, name, page);
    parent.appendValue(std::string(name), std::move(value));
}

void deleteItems(ItemList &list, const char *path, const CodePage &page)
{
    const Split split = splitFirst(orEmpty(path), page);
    if (!split.rest) {
        list.removeIf([&](const Item &item) { return !item.isList() && item.name == split.head; });
        return;
    }
    for (const auto &item : list.items()) {
        if (item->isList() && item->name == split.head)
            deleteItems(*item->sublist, split.rest, page);
    }
}

void deleteLists(ItemList &list, const char *path, const CodePage &page)
{
    if (!path || !*path) {
        list.clear();
        return;
    }
    const Split split = splitFirst(path, page);
    if (!split.rest) {
        list.removeIf([&](const Item &item) { return item.isList() && item.name == split.head; });
        return;
    }
    for (const auto &item : list.items()) {
        if (item->isList() && item->name == split.head)
            deleteLists(*item->sublist, split.rest, page);
    }
}

bool deleteListByHandle(ItemList &list, const ItemList *target)
{
    for (const auto &item : list.items()) {
        if (!item->isList())
            continue;
        if (item->sublist.get() == target)
            return list.removeSublist(target);
        if (deleteListByHandle(*item->sublist, target))
            return true;
    }
    return false;
}

int enumList(const ItemList &list, const std::function<int(const Item &)> &visit)
{
    for (size_t i = 0; i < list.size(); ++i) {
        if (visit(*list.items()[i]) == 0)
            return 0;
    }
    return 1;
}

void dumpList(const ItemList &list, int depth)
{
    for (const auto &item : list.items()) {
        if (item->isList()) {
            hooks::diagnostic("%*s[%s]\n", depth, "", item->name.c_str());
            dumpList(*item->sublist, depth + 1);
        } else {
            hooks::diagnostic("%*s%s=%s\n", depth, "", item->name.c_str(), item->value.c_str());
        }
    }
}

} // namespace tbpr
