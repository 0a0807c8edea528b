#pragma once

// Settings that the settings start-up puts into globals and the windows read.
namespace fleet {

extern bool NurLesen;    // read-only workstation
extern bool TourenModus; // kilometres and revenue come from the tours

} // namespace fleet
