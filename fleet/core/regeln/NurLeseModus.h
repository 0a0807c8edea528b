#pragma once

// Switches the editing commands of the main window and the appointment list off
// (read-only workstation) or on again. Pages of the main window not made yet
// take the switch when made; a form not made yet asks for it when made.
namespace fleet {

void NurLeseModusSetzen(bool nurLesen);

// Whether the editing commands were last switched off.
bool NurLeseModusAn();

} // namespace fleet
