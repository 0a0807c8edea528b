#pragma once

#include <array>
#include <cstdint>

#include "navigation/leiste/ExtenderTypes.h"

namespace nav {

struct NavButtonState {
    bool enabled = false;
    bool down = false;
    bool operator==(const NavButtonState &) const = default;
};

struct NavBarStates {
    std::array<NavButtonState, kNavigateBtnCount> buttons{};
    bool clearFilterItemEnabled = false;
};

// What a bar's buttons follow: the bar, its extender and the data source.
struct NavStateInput {
    bool barEnabled = true;
    bool userBtnEnabled = true;
    bool dataSetOpen = false;
    bool isCurrentSource = false;
    bool onlyMoveOnMaster = false; // StayOnMasterSource is somOnlyMove
    bool navbarsEnabled = false;   // ieNavbars is in force
    Possibilities possible{};
    bool incSearchOn = false;
    bool manageGlobalEdit = false;
    bool globalEdit = false;
    std::uint8_t filterState = kFilterNone;
    TAllowKeys allowKeys = kAllAllowKeys;
};

void updateMoveAndSearchButtons(NavBarStates &states, const NavStateInput &in);
void updateRecordButtons(NavBarStates &states, const NavStateInput &in);
void updateFilterButtons(NavBarStates &states, const NavStateInput &in);
// All buttons for the current source (the closed or disabled case included).
void updateAllButtons(NavBarStates &states, const NavStateInput &in);

} // namespace nav
