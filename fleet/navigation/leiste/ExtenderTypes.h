#pragma once

#include <array>
#include <cstdint>

#include "navigation/leiste/NavigateBtn.h"

namespace nav {

// Key groups an extender answers (bit order of the 16-bit set AllowKeys).
enum TAllowKey : int {
    akSelectNext,
    akDBMove,
    akLookUp,
    akSearch,
    akIncSearch,
    akBookmark,
    akFilter,
    akDuplicate,
    akCancel,
    akDelete,
    akInsert,
    akTableView,
    akGlobalEdit,
    akIndexSelect,
    akSingleRecView,
};
using TAllowKeys = std::uint16_t;
constexpr TAllowKeys allowKey(TAllowKey key)
{
    return static_cast<TAllowKeys>(1u << key);
}
constexpr TAllowKeys kAllAllowKeys = 0x7FFF;
constexpr bool hasKey(TAllowKeys keys, TAllowKey key)
{
    return (keys & allowKey(key)) != 0;
}

// Which of the extender's interfaces are in force.
enum TInterfaceEnabled : unsigned { ieShortCuts = 1, ieNavbars = 2, ieDisplay = 4 };
using TInterfacesEnabledSet = unsigned;

enum class TStayOnMasterSource { somNo, somOnlyMove, somAllFuncs };
enum class TAutoRefreshMode { armNone, armAll, armTblOnly };

// Filter state of a data set as the extender reports it.
constexpr std::uint8_t kFilterNone = 0;
constexpr std::uint8_t kFilterDefined = 2;
constexpr std::uint8_t kFilterActive = 3;

using Possibilities = std::array<bool, kNavigateBtnCount>;

} // namespace nav
