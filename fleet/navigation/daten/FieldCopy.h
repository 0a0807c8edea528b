#pragma once

#include "dbe/DataSet.h"
#include "dbe/Field.h"

// Copying fields between data sets, for views that show a clone of a data set
// with the fields the form declared.
namespace nav {

// A new field of the same kind, name, type and size, owned by dataSet.
dbe::TField *CloneField(const dbe::TField &field, dbe::TDataSet &dataSet);
void CopyFieldProperties(const dbe::TField &source, dbe::TField &target);
// Gives target (closed) the fields of source: from target's own field
// definitions plus source's other non-calculated fields (fromDefs), or a
// clone of every non-calculated field of source; then copies the properties.
void CopyFieldDefs(const dbe::TDataSet &source, dbe::TDataSet &target, bool fromDefs);

} // namespace nav
