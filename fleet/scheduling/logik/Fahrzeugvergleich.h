#pragma once

#include <functional>

#include <QString>
#include <QStringList>

namespace fleet {

class TDataModule1;

// The sort items of the comparison and the index fields each one orders by.
struct VergleichSortierung {
    QString text;
    QString indexFelder;
};
const QList<VergleichSortierung> &VergleichSortierungen();

// Rebuilds KfzVergl.db (TTblAlleFahrzeuge) with one row of monthly averages
// per vehicle of the vehicle table, over its monthly rows as the monthly
// table shows them. False, with no row written, when the old rows cannot be
// removed; the table is then closed. Failures while writing go to the caller
// (the vehicle table is back on its vehicle). `schritt` runs once per vehicle.
bool FahrzeugvergleichBerechnen(TDataModule1 &dm, const std::function<void()> &schritt = {});

} // namespace fleet
