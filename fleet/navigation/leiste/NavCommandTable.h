#pragma once

#include <array>
#include <bitset>

#include <QString>

#include "navigation/leiste/NavigateBtn.h"

namespace nav {

// One visibility bit per command; the four button groups of the bars are
// views of it (element k of a group is command group start + k).
using NavButtonSet = std::bitset<kNavigateBtnCount>;

enum class NavGroup { Search, Move, Record, Extend };

constexpr int kGroupFirst[4] = {nbSearch, nbFirst, nbInsert, nbUserBtn};
constexpr int kGroupLast[4] = {nbSingleRecView, nbLast, nbRefresh, nbGlobalEdit};

NavGroup groupOf(int command);

// What a bar needs to know of each command's button.
struct NavCommandInfo {
    const char *glyph; // image name
    int numGlyphs;     // images in the strip (the user button: its own count)
    int groupIndex;    // toggle group; 0 = plain button
    bool autoRepeat;   // clicks repeatedly while held
    int hintId;        // string table identifier; 0 = the user button's own hint
    const char *hint;  // text of that identifier
};

const NavCommandInfo &commandInfo(int command);
QString commandHint(int command);

// Group sets as bit masks over the group's own elements (bit k = element k).
NavButtonSet withGroup(NavButtonSet set, NavGroup group, unsigned groupBits);
unsigned groupBits(const NavButtonSet &set, NavGroup group);

// Visibility at creation: every command but the single-record view.
NavButtonSet defaultVisibleButtons();

} // namespace nav
