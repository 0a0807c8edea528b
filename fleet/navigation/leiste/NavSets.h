#pragma once

#include <cstdint>

// The elements of the navigator bar's four button sets, in their bit order
// (element k is bit k of the set).
namespace nav {

enum TSrchNavBtn : int {
    snbSearch,
    snbSearchInc,
    snbSearchNext,
    snbSetBookmark,
    snbGotoBookmark,
    snbTblFilter,
    snbActiveFilter,
    snbIndexSelect,
    snbTableView,
    snbSingleRecView,
};
enum TMoveNavBtn : int { mnbFirst, mnbPGroup, mnbPrior, mnbNext, mnbNGroup, mnbLast };
enum TRecordNavBtn : int { rnbInsert, rnbDelete, rnbEdit, rnbPost, rnbCancel, rnbRefresh };
enum TExtNavBtn : int { enbUserBtn, enbMemoView, enbDupField, enbDupRecord, enbLookUp, enbGlobalEdit };

// The sets as a form event record carries them: search 16 bits, the others 8.
using TSrchNavBtns = std::uint16_t;
using TMoveNavBtns = std::uint8_t;
using TRecordNavBtns = std::uint8_t;
using TExtNavBtns = std::uint8_t;

template <class Element> constexpr unsigned navBit(Element element)
{
    return 1u << static_cast<int>(element);
}

} // namespace nav
