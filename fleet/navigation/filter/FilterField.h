#pragma once

#include <QString>

#include "dbe/Field.h"

namespace nav {

// Field type codes as the data layer defines them (the class library's numbers).
using dbe::TFieldType;
using enum dbe::TFieldType;

// What the filter needs to know of one field of the filtered data set.
struct FilterFieldInfo {
    QString fieldName;
    int fieldNo = 0; // 1-based position in the data set
    TFieldType dataType = ftUnknown;
    int size = 0; // string length, or the decimals of a BCD field
    bool transliterate = false;
    QString displayValues; // boolean texts "true;false"
    QString displayLabel;
};

} // namespace nav
