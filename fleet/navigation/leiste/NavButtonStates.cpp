#include "navigation/leiste/NavButtonStates.h"

namespace nav {

namespace {

bool activeAnd(const NavStateInput &in, int command)
{
    return in.barEnabled && in.navbarsEnabled && in.possible[static_cast<std::size_t>(command)];
}

void enable(NavBarStates &states, const NavStateInput &in, int command)
{
    states.buttons[static_cast<std::size_t>(command)].enabled = activeAnd(in, command);
}

} // namespace

void updateFilterButtons(NavBarStates &states, const NavStateInput &in)
{
    enable(states, in, nbTblFilter);
    enable(states, in, nbActiveFilter);
    auto &active = states.buttons[nbActiveFilter];
    active.down = active.enabled && in.filterState == kFilterActive;
    states.clearFilterItemEnabled = in.barEnabled && in.navbarsEnabled && hasKey(in.allowKeys, akFilter) &&
                                    (in.filterState == kFilterDefined || in.filterState == kFilterActive);
}

void updateMoveAndSearchButtons(NavBarStates &states, const NavStateInput &in)
{
    if (in.onlyMoveOnMaster || in.isCurrentSource)
        for (int c = nbFirst; c <= nbLast; ++c)
            enable(states, in, c);
    if (!in.isCurrentSource)
        return;
    for (int c : {nbDelete, nbSearch, nbSearchInc, nbSearchNext, nbSetBookmark, nbGotoBookmark, nbIndexSelect,
                  nbTableView, nbSingleRecView, nbMemoView, nbDupField, nbDupRecord, nbGlobalEdit})
        enable(states, in, c);
    auto &inc = states.buttons[nbSearchInc];
    inc.down = inc.enabled && in.incSearchOn;
    auto &edit = states.buttons[nbGlobalEdit];
    edit.down = in.manageGlobalEdit && in.globalEdit;
    updateFilterButtons(states, in);
}

void updateRecordButtons(NavBarStates &states, const NavStateInput &in)
{
    if (!in.isCurrentSource)
        return;
    for (int c : {nbInsert, nbEdit, nbPost, nbCancel, nbRefresh, nbDupField, nbDupRecord, nbLookUp})
        enable(states, in, c);
}

void updateAllButtons(NavBarStates &states, const NavStateInput &in)
{
    if (in.barEnabled && in.dataSetOpen) {
        updateMoveAndSearchButtons(states, in);
        updateRecordButtons(states, in);
        return;
    }
    for (auto &button : states.buttons)
        button.enabled = false;
    states.buttons[nbUserBtn].enabled = in.barEnabled && in.userBtnEnabled;
    states.clearFilterItemEnabled = false;
}

} // namespace nav
