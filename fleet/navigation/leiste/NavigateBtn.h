#pragma once

#include <array>

#include <QString>

namespace nav {

// The 28 navigator commands: the one key by which forms, menus, shortcuts
// and navigator bars name a command.
enum TDBVNavigateBtn : int {
    nbSearch,
    nbSearchInc,
    nbSearchNext,
    nbSetBookmark,
    nbGotoBookmark,
    nbTblFilter,
    nbActiveFilter,
    nbIndexSelect,
    nbTableView,
    nbSingleRecView,
    nbFirst,
    nbPGroup,
    nbPrior,
    nbNext,
    nbNGroup,
    nbLast,
    nbInsert,
    nbDelete,
    nbEdit,
    nbPost,
    nbCancel,
    nbRefresh,
    nbUserBtn,
    nbMemoView,
    nbDupField,
    nbDupRecord,
    nbLookUp,
    nbGlobalEdit,
};

constexpr int kNavigateBtnCount = 28;

// Identifiers in command order, as stored in the "ShortCuts" property.
extern const std::array<const char *, kNavigateBtnCount> kNavigateBtnNames;

inline QString navigateBtnName(TDBVNavigateBtn btn)
{
    return QString::fromLatin1(kNavigateBtnNames[static_cast<int>(btn)]);
}

} // namespace nav
