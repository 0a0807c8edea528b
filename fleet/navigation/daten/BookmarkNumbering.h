#pragma once

#include <vector>

// Renumbering within a list of numbered entries kept sorted by number with
// unique numbers: the entry numbered from gets number to, and the run of
// entries it lands on shifts by one to make room (closing the gap it left).
namespace nav {

template <typename Item, typename NumberOf>
void renumberSorted(std::vector<Item> &items, int from, int to, NumberOf numberOf)
{
    if (from == to)
        return;
    std::size_t at = 0;
    while (at < items.size() && numberOf(items[at]) != from)
        ++at;
    if (at == items.size())
        return;
    Item moved = std::move(items[at]);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(at));
    numberOf(moved) = to;
    if (from < to) {
        std::size_t i = at;
        while (i < items.size() && numberOf(items[i]) < to)
            ++i;
        if (i == items.size()) {
            items.push_back(std::move(moved));
        } else if (numberOf(items[i]) == to) {
            int expected = to;
            for (std::ptrdiff_t j = static_cast<std::ptrdiff_t>(i); j >= 0; --j, --expected) {
                int &n = numberOf(items[static_cast<std::size_t>(j)]);
                if (n != expected)
                    break;
                --n;
            }
            items.insert(items.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(moved));
        } else {
            items.insert(items.begin() + static_cast<std::ptrdiff_t>(i), std::move(moved));
        }
        return;
    }
    std::size_t i = 0;
    while (i < items.size() && numberOf(items[i]) < to)
        ++i;
    int expected = to;
    for (std::size_t j = i; j < items.size() && numberOf(items[j]) == expected; ++j, ++expected)
        ++numberOf(items[j]);
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(i), std::move(moved));
}

// The bookmark dialog's row move (grid rows, bookmark k in row k): the old
// and the new number to renumber with, from the numbers in row order.
struct RowMoveNumbers {
    int oldNumber = 0;
    int newNumber = 0;
};
inline RowMoveNumbers bookmarkRowMove(const std::vector<int> &numbers, int fromRow, int toRow)
{
    const int last = static_cast<int>(numbers.size());
    auto numberAt = [&](int index) { return numbers.at(static_cast<std::size_t>(index)); };
    RowMoveNumbers result;
    result.oldNumber = numberAt(fromRow - 1);
    if (fromRow < toRow)
        result.newNumber = toRow == last ? numberAt(toRow - 1) : numberAt(toRow) - 1;
    else
        result.newNumber = toRow > 1 ? numberAt(toRow - 2) + 1 : 1;
    return result;
}

} // namespace nav
