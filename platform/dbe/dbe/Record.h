#pragma once

#include <QVariant>
#include <QVector>

namespace dbe {

// One row as the layer holds it: the values of the physical fields in
// field-number order, then those of calculated and lookup fields, and the
// storage's row identity (0 for a row not stored yet).
struct Record {
    QVector<QVariant> values;
    qint64 rowId = 0;
};

} // namespace dbe
