#pragma once

#include <QString>

namespace dbe {
class TDataSet;
}
namespace ui {
class DBGrid;
}

// The column order of the main window's grids, kept per workstation in
// FeldPos.db as the position of each field in the field list of the table
// behind the grid, under a TabKz: "Main", "Touren", "Varkost", "Dispo",
// "Histo", "Schaden".
namespace fleet {

// The field list that a TabKz names in the data module; null for any other text.
dbe::TDataSet *FeldListeVon(const QString &tabKz);

// Applies the stored order of a TabKz. False (nothing done) while the scratch
// table TTblVar is lent elsewhere; else true, also for a TabKz without a
// field list. Engine errors go to the caller; the scratch table is reset.
bool FeldPositionenLaden(const QString &tabKz);

// Stores the current order of a TabKz: updates the fields already recorded,
// or records every field when there is no record yet. False while TTblVar is
// lent elsewhere; else true.
bool FeldPositionenSpeichern(const QString &tabKz);

// Selects the grid column of the named field (exact name). A name that no
// column shows leaves the selection as it is. Always true.
bool GridSpalteWaehlen(ui::DBGrid &grid, const QString &feldName);

} // namespace fleet
