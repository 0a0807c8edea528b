#pragma once

#include <functional>
#include <vector>

#include <QStringList>
#include <QVariant>

namespace dbe {
class TDataSet;
class TTable;
} // namespace dbe

namespace fleet {

// Moves the vehicle table over every vehicle in its order and under its
// filter, and calls `jeFahrzeug` on each. The detail tables in `gelesen`
// follow it (its controls stay on for that); its other details are unlinked
// for the walk, with their controls frozen, so that they read nothing on each
// move, and are linked again at the end. The vehicles and the details read
// share one read transaction of their storage, renewed every few milliseconds
// (another workstation's write waits no longer; a write of `jeFahrzeug` is
// committed as always). The table's scroll rules (those of the main window)
// do not run for the vehicles passed. Afterwards, also when a call throws,
// the table is back on the vehicle that was current, every detail follows it
// as before, and the rules are back and have run once for that vehicle.
void FahrzeugeDurchlaufen(dbe::TTable &fahrzeuge, const std::vector<dbe::TDataSet *> &gelesen,
                          const std::function<void()> &jeFahrzeug);

// Reads the vehicles of the vehicle table's view (its order, range and
// filters) through a cursor of its own and hands `jeFahrzeug` the values of
// `felder` of each, blank as null. The vehicle table does not move: neither
// its rules nor its controls nor its details hear of the walk.
void FahrzeugeLesen(dbe::TTable &fahrzeuge, const QStringList &felder,
                    const std::function<void(const std::vector<QVariant> &)> &jeFahrzeug);

} // namespace fleet
