#pragma once

// Switches the editing commands of the main window and the appointment list off
// (read-only workstation) or on again. Pages of the main window not made yet
// take the switch when made; a form not made yet asks for it when made.
class QString;

namespace fleet {

void NurLeseModusSetzen(bool nurLesen);

// Whether the editing commands were last switched off.
bool NurLeseModusAn();

// Whether the component of the main window with this object name is one of
// the editing commands the switch turns off.
bool IstBearbeitungsBefehl(const QString &name);

} // namespace fleet
