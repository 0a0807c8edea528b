#include "navigation/erweiterung/Possibilities.h"

namespace nav {

PossibilityResult computePossibilities(const PossibilityInput &in)
{
    PossibilityResult out;
    auto &p = out.possible;
    const TAllowKeys keys = in.allowKeys;
    const bool active = in.hasSource && in.dataSetOpen;
    const bool notEmpty = active && !(in.atBegin && in.atEnd);

    if (in.hasField) {
        p[nbMemoView] = active && in.fieldIsViewableBlob;
        p[nbLookUp] =
            hasKey(keys, akLookUp) && !in.fieldCalculated && !in.fieldTypeExcluded && in.lookupDefExists;
    }
    const bool editAllowed = !in.manageGlobalEdit || in.globalEdit;
    if (in.hasDataSet) {
        const bool dsActive = in.dataSetOpen;
        p[nbGotoBookmark] = dsActive && in.hasTableDefs && in.bookmarkCount > 0 && hasKey(keys, akBookmark);
        p[nbSearch] = notEmpty && hasKey(keys, akSearch);
        p[nbSearchInc] = notEmpty && in.hasField && !in.fieldTypeExcluded &&
                         (!in.incSrchOnlyIfIndexed || in.fieldIndexed) && hasKey(keys, akIncSearch);
        p[nbSearchNext] = notEmpty && in.hasSearchField && hasKey(keys, akSearch);
        p[nbIndexSelect] = in.isTable && in.hasTableName && !in.hasMasterLink &&
                           hasKey(keys, akIndexSelect) && in.indexCount > 1;
        p[nbTableView] = dsActive && hasKey(keys, akTableView) && (in.isTable || in.isQuery);
        p[nbSingleRecView] = dsActive && hasKey(keys, akSingleRecView) && (in.isTable || in.isQuery);
        const bool dupBase = dsActive && (in.autoEdit || in.editOrInsert) && editAllowed && in.canModify &&
                             hasKey(keys, akDuplicate);
        p[nbDupField] = dupBase && !in.readOnly && !in.atBegin;
        p[nbDupRecord] = dupBase && notEmpty;
    }
    out.incSearchOn = in.incSearchOn && p[nbSearch] && p[nbSearchInc];

    p[nbSetBookmark] = active && hasKey(keys, akBookmark) && notEmpty;
    p[nbTblFilter] = active && hasKey(keys, akFilter) && in.filterState != kFilterNone;
    p[nbActiveFilter] = active && hasKey(keys, akFilter) &&
                        (in.filterState == kFilterDefined || in.filterState == kFilterActive);

    const bool move = in.moveActive && hasKey(keys, akDBMove);
    p[nbFirst] = p[nbPGroup] = p[nbPrior] = move && !in.moveAtBegin;
    p[nbNext] = p[nbNGroup] = p[nbLast] = move && !in.moveAtEnd;

    const bool modifiable = active && in.canModify;
    const bool editing = in.editing && in.canModify;
    p[nbInsert] = modifiable && editAllowed && !out.incSearchOn && hasKey(keys, akInsert);
    p[nbDelete] = active && editAllowed && hasKey(keys, akDelete) && in.canModify && notEmpty;
    p[nbEdit] = modifiable && !editing && editAllowed;
    p[nbPost] = modifiable && editing;
    p[nbCancel] = modifiable && editing && hasKey(keys, akCancel);
    p[nbRefresh] = in.hasSource && !in.isQuery;
    p[nbUserBtn] = true;
    p[nbGlobalEdit] = active && in.manageGlobalEdit && hasKey(keys, akGlobalEdit);
    return out;
}

} // namespace nav
