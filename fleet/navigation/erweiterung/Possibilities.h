#pragma once

#include <cstdint>

#include "navigation/leiste/ExtenderTypes.h"

namespace nav {

// The facts about the focused control's data that decide which commands are
// possible now. Begin/end come from the exact cursor test or the data set's
// flags, as the extender chose.
struct PossibilityInput {
    bool hasSource = false;
    bool hasDataSet = false;
    bool dataSetOpen = false;
    bool atBegin = false, atEnd = false;
    std::uint8_t filterState = kFilterNone;
    bool hasTableDefs = false;
    int bookmarkCount = 0;
    bool hasSearchField = false; // a previous search left its field name

    bool hasField = false;
    bool fieldIsViewableBlob = false; // memo, graphic or typed binary
    bool fieldCalculated = false;
    bool fieldTypeExcluded = false;
    bool fieldIndexed = false;
    bool lookupDefExists = false;

    bool isTable = false, isQuery = false;
    bool hasTableName = false, hasMasterLink = false;
    int indexCount = 0;

    bool autoEdit = false;
    bool editing = false; // edit, insert or set-key state
    bool editOrInsert = false;
    bool readOnly = true;
    bool canModify = false;

    // The data set the move commands act on (MasterSource's under somOnlyMove).
    bool moveActive = false;
    bool moveAtBegin = false, moveAtEnd = false;

    bool manageGlobalEdit = false;
    bool globalEdit = true;
    bool incSearchOn = false;
    bool incSrchOnlyIfIndexed = false;
    TAllowKeys allowKeys = kAllAllowKeys;
};

struct PossibilityResult {
    Possibilities possible{};
    bool incSearchOn = false;
};

PossibilityResult computePossibilities(const PossibilityInput &in);

} // namespace nav
