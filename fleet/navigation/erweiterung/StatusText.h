#pragma once

#include <QString>

namespace nav {

// Parts of the status text (ShowStatusOptions).
enum TDBShowStatus : unsigned { ssRecNo = 1, ssRecCount = 2, ssTblName = 4, ssEdit = 8, ssInsert = 16 };
using TDBShowStatusSet = unsigned;
constexpr TDBShowStatusSet kAllShowStatus = ssRecNo | ssRecCount | ssTblName | ssEdit | ssInsert;

struct StatusInput {
    TDBShowStatusSet options = kAllShowStatus;
    bool inserting = false;
    bool editing = false;
    int recNo = 0;               // read only with ssRecNo
    int recCount = 0;            // read only with ssRecCount
    bool countMeaningful = true; // not under an active filter
    QString tableName;
    bool incSearchOn = false;
    bool textOnButtons = false; // the incremental-search text is shown on the bars
    QString incSearchText;
};

// "12 von 340 [Stammdaten] Editieren" and its variants.
QString composeStatusText(const StatusInput &in);

} // namespace nav
