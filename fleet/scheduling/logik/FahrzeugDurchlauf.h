#pragma once

#include <functional>

namespace dbe {
class TTable;
}

namespace fleet {

// Moves the vehicle table over every vehicle in its order and under its
// filter, and calls `jeFahrzeug` on each; its detail tables follow it (its
// controls stay on for that). Afterwards, also when a call throws, the table
// is back on the vehicle that was current.
void FahrzeugeDurchlaufen(dbe::TTable &fahrzeuge, const std::function<void()> &jeFahrzeug);

} // namespace fleet
