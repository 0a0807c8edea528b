#pragma once

#include <QString>
#include <QStringList>

namespace dbe {
class TDataSet;
}

namespace nav {

// What a lookup draws on.
enum TLookupKind : int { lkNone = 0, lkTable = 1, lkDataSet = 2, lkQuery = 3 };

// The definition of a field's lookup. Field lists are separated by ";":
// CopyFields and LocateFields alternate a field of the lookup source and a
// field of the looked-up record.
struct TLookupDefinition {
    bool AllCorresponding = false; // every field of the same name is taken over
    QString DatabaseName;
    QString TableName;
    QString IndexName;
    QString CopyFields;
    QString ShowFields;
    QString DisplayLabels;
    QString LocateFields;
    QString Description;
    dbe::TDataSet *LookupDataSet = nullptr;
    QStringList QueryText;
    bool KeepActive = true; // a data set opened for the lookup stays open
};

} // namespace nav
