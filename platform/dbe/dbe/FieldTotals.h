#pragma once

#include <vector>

#include "base/Currency.h"

namespace dbe {

// Totals of numeric fields over the rows a dataset shows (TDataSet::SumFields), one entry per field
// asked for, in the order asked. A value counts as TField::AsFloat reads it: blank is 0.
struct TFieldTotals {
    int count = 0;                       // rows added up
    std::vector<double> sums;            // the values added up as doubles, row by row
    std::vector<base::Currency> amounts; // each value as a currency amount, added up
};

} // namespace dbe
