#include "core/item_list.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace tbpr;

namespace {

// The first item of that name and kind, by a plain scan.
const Item *scanFirst(const ItemList &list, const std::string &name, bool isList)
{
    for (const auto &item : list.items()) {
        if (item->isList() == isList && item->name == name)
            return item.get();
    }
    return nullptr;
}

} // namespace

// Random appends, removals and clears over lists short and long: the
// indexed lookups always give the first match a scan gives.
TEST(NameIndex, FirstMatchAgreesWithAScan)
{
    std::mt19937 random(4711);
    ItemList list("l");
    int mismatches = 0;
    size_t longest = 0;
    for (int step = 0; step < 3000; ++step) {
        const int op = static_cast<int>(random() % 100);
        const std::string name = "n" + std::to_string(random() % 60);
        if (op < 60) {
            list.appendValue(name, std::to_string(step));
        } else if (op < 85) {
            list.appendList(std::make_unique<ItemList>(name));
        } else if (op < 95) {
            list.removeIf([&](const Item &item) { return item.name == name; });
        }
        if (step % 1000 == 999)
            list.clear();
        longest = std::max(longest, list.size());
        for (int n = 0; n < 60; n += 7) {
            const std::string probe = "n" + std::to_string(n);
            mismatches += list.firstValue(probe) != scanFirst(list, probe, false);
            const Item *listItem = scanFirst(list, probe, true);
            mismatches += list.firstList(probe) != (listItem ? listItem->sublist.get() : nullptr);
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(longest, 100u); // the long lists were indexed
}

TEST(NameIndex, NamesOfEveryLengthAndByte)
{
    ItemList list("l");
    std::vector<std::string> names;
    for (size_t length = 0; length < 40; ++length) {
        std::string name(length, 'a');
        for (size_t i = 0; i < length; ++i)
            name[i] = static_cast<char>((length * 31 + i * 7) % 256);
        names.push_back(name);
        // a name that differs only in its last byte
        if (length > 0) {
            name.back() = static_cast<char>(name.back() ^ 1);
            names.push_back(name);
        }
    }
    for (const std::string &name : names)
        list.appendValue(name, name);
    for (const std::string &name : names) {
        const Item *item = list.firstValue(name);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->value, name);
    }
    EXPECT_EQ(list.firstValue(std::string(41, 'a')), nullptr);
}
