#pragma once

#include <vector>

#include <QString>
#include <QStringList>

#include "dbe/DataSet.h"

// The field lists of a lookup: pairs of lookup and own fields, the fields a
// lookup shows, and the locate by pairs.
namespace nav {

// "A;B" and "X;Y" as "A;X;B;Y" (pairs by position; the shorter list decides).
QString PairFieldLists(const QString &first, const QString &second);

// Only the listed fields (any case) stay visible, in the list's order at the
// front; they take the labels of the same position when there are as many.
void ApplyShowFields(dbe::TDataSet &dataSet, const QString &showFields, const QString &displayLabels);

// Locates in source the values of target's fields named by the pairs
// (source field, target field); false when no row has them.
bool LocateByFieldPairs(dbe::TDataSet &source, const dbe::TDataSet &target, const QString &pairs);

// The visibility, labels and order of a data set's fields, to be put back.
class FieldLayoutSnapshot {
public:
    explicit FieldLayoutSnapshot(dbe::TDataSet &dataSet);
    void Restore();

private:
    struct Entry {
        dbe::TField *field;
        bool visible;
        QString label;
    };
    dbe::TDataSet &dataSet_;
    std::vector<Entry> entries_; // in field order
};

} // namespace nav
