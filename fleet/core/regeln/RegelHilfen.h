#pragma once

#include <QString>

namespace dbe {
class EDatabaseError;
}

// Small steps that the table rules share.
namespace fleet {

// Points the user at a field: focuses the named grid of the main window and
// selects the field's column. Nothing when the window or the grid is missing.
void SpalteZeigen(const QString &grid, const QString &feld);

// The engine refused the row because its key is already taken.
bool IstSchluesselverletzung(const dbe::EDatabaseError &fehler);

} // namespace fleet
