#pragma once

// Switches the editing commands of the main window and the appointment list off
// (read-only workstation) or on again. Windows that do not exist yet are skipped.
namespace fleet {

void NurLeseModusSetzen(bool nurLesen);

} // namespace fleet
