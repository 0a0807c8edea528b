#pragma once

// Settings that the settings start-up puts into globals and the windows read.
namespace fleet {

extern bool NurLesen;    // read-only workstation
extern bool TourenModus; // kilometres and revenue come from the tours
extern int SichtbareFreifelder; // vehicle free fields shown on the master page (20 until start-up)

} // namespace fleet
