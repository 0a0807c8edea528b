#pragma once

#include <functional>
#include <vector>

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

} // namespace fleet
