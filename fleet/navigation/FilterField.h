#pragma once

#include <QString>

#include "navigation/FieldTypeCode.h"

namespace nav {

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
