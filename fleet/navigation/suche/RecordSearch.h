#pragma once

#include <functional>

#include <QString>
#include <QVariant>

#include "dbe/DataSet.h"
#include "dbe/EngineCursor.h"
#include "dbe/Field.h"

namespace nav {

// What a value search compares with: the pattern and the test of a field text.
struct SearchMatcher {
    QString pattern;
    std::function<bool(const QString &text)> accepts;
};

// Whether the value search can compare a field of this type.
bool IsSearchableFieldType(dbe::TFieldType type);
// Step of the search clock (0..12) for the n-th record read (from 0) of total.
int SearchClockStep(int n, int total);

// Searches the data set's field from its current record with a clone of its
// cursor; on a hit the data set moves there (with AfterScroll) and the result
// is true; on a miss it stays where it was.
bool SearchRecords(dbe::TDataSet &dataSet, dbe::TEngineCursor &searchCursor, bool allowAbort,
                   bool showProgress, bool skipCurrent, bool restart, bool backward,
                   const SearchMatcher &matcher, const QString &fieldName);

} // namespace nav
