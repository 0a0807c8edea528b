#pragma once

#include <cstdint>

#include "navigation/gemeinsam/ShortCut.h"
#include "navigation/leiste/ExtenderTypes.h"

namespace nav {

// What decides whether a shortcut key runs its command in the focused control.
struct ShortCutContext {
    bool dataAwareControl = false;
    bool hasDataSet = false;
    bool hasField = false;
    bool hasTableDefs = false;
    TAllowKeys allowKeys = kAllAllowKeys;
    Possibilities possible{};
    bool incSearchOn = false;
    TShiftState shift = 0;
    std::uint8_t filterState = 0;
    bool isTable = false;
    bool isTableClass = false;         // the data set's class name contains "Table"
    bool controlKeepsMoveKeys = false; // a data grid, list box or memo
    bool canModify = false;
    bool readOnly = true;
    bool editing = false; // edit, insert or set-key state
    bool manageGlobalEdit = false;
    bool globalEdit = true;
    bool fieldIsViewableBlob = false;
};

// The condition under which a shortcut's command runs and the key counts as
// handled. The two bookmark commands only arm the digit that follows.
bool shortCutApplies(TDBVNavigateBtn command, const ShortCutContext &c);

} // namespace nav
