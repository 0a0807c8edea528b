#pragma once

#include <QString>

#include "dbe/DataSet.h"

namespace nav {

// Linear search from the table's first record for the record whose keyFields
// equal (as text) source's valueFields; the table stays on the match or at
// its end. False at once when the two lists differ in length.
bool FindRecordByValues(dbe::TDataSet &table, const QString &keyFields, const QString &valueFields,
                        bool allowAbort, const dbe::TDataSet &source);

// Puts detail on source's record, moving detail's master (and its masters)
// first when the record lies outside the current master range.
bool FindMasterRecord(dbe::TDataSet *detail, dbe::TDataSet *source, bool allowAbort);

} // namespace nav
