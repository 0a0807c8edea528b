#include "navigation/leiste/NavigateBtn.h"

namespace nav {

const std::array<const char *, kNavigateBtnCount> kNavigateBtnNames = {
    "nbSearch",       "nbSearchInc",   "nbSearchNext", "nbSetBookmark",   "nbGotoBookmark", "nbTblFilter",
    "nbActiveFilter", "nbIndexSelect", "nbTableView",  "nbSingleRecView", "nbFirst",        "nbPGroup",
    "nbPrior",        "nbNext",        "nbNGroup",     "nbLast",          "nbInsert",       "nbDelete",
    "nbEdit",         "nbPost",        "nbCancel",     "nbRefresh",       "nbUserBtn",      "nbMemoView",
    "nbDupField",     "nbDupRecord",   "nbLookUp",     "nbGlobalEdit"};

} // namespace nav
