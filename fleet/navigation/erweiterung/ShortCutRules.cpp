#include "navigation/erweiterung/ShortCutRules.h"

namespace nav {

bool shortCutApplies(TDBVNavigateBtn command, const ShortCutContext &c)
{
    const auto key = [&](TAllowKey k) { return hasKey(c.allowKeys, k); };
    const auto possible = [&](TDBVNavigateBtn b) { return c.possible[static_cast<std::size_t>(b)]; };
    switch (command) {
    case nbSearch:
        return c.hasDataSet && key(akSearch);
    case nbSearchInc:
        return key(akIncSearch) && possible(nbSearchInc) && (c.incSearchOn || (c.hasDataSet && c.hasField));
    case nbSearchNext:
        return key(akSearch) && c.hasDataSet && (c.shift == 0 || c.shift == ssCtrl);
    case nbSetBookmark:
    case nbGotoBookmark:
        return key(akBookmark) && c.hasTableDefs;
    case nbTblFilter:
        return c.hasDataSet && key(akFilter);
    case nbActiveFilter:
        return c.hasDataSet && key(akFilter) && (c.filterState == 2 || c.filterState == 3);
    case nbIndexSelect:
        return key(akIndexSelect) && possible(nbIndexSelect) && c.isTable;
    case nbTableView:
        return key(akTableView) && possible(nbTableView) && c.hasDataSet;
    case nbSingleRecView:
        return key(akSingleRecView) && possible(nbSingleRecView) && c.hasDataSet;
    case nbFirst:
    case nbPGroup:
    case nbPrior:
    case nbNext:
    case nbNGroup:
    case nbLast:
        return key(akDBMove) && !c.controlKeepsMoveKeys;
    case nbInsert:
        return c.dataAwareControl && c.hasDataSet && c.canModify && !c.readOnly && key(akInsert);
    case nbDelete:
        return c.dataAwareControl && c.hasDataSet && c.canModify && !c.readOnly && key(akDelete);
    case nbEdit:
        return c.hasDataSet && c.canModify && !c.editing && (!c.manageGlobalEdit || c.globalEdit);
    case nbPost:
        return c.hasDataSet && c.editing;
    case nbCancel:
        return c.dataAwareControl && c.hasDataSet && key(akCancel);
    case nbRefresh:
        return c.hasDataSet && c.isTableClass;
    case nbUserBtn:
        return true;
    case nbMemoView:
        return c.dataAwareControl && c.fieldIsViewableBlob;
    case nbDupField:
        return c.dataAwareControl && possible(nbDupField) && key(akDuplicate);
    case nbDupRecord:
        return c.dataAwareControl && possible(nbDupRecord) && key(akDuplicate);
    case nbLookUp:
        return c.dataAwareControl && c.hasDataSet && key(akLookUp) && possible(nbLookUp);
    case nbGlobalEdit:
        return key(akGlobalEdit) && c.manageGlobalEdit;
    }
    return false;
}

} // namespace nav
