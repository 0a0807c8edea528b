#pragma once

class QWidget;

namespace reporting {
class TTb6_;
}

namespace fleet {

class TDataModule1;

namespace tank {

// The list of the staged fuel-card lines: report 14 with the project "Tankdat.lst", printed
// (`modus` 1) or previewed (2) through the list loop on the engine component `tb`, the scratch
// table TTblVar lent over TImport.db for the run. The client's data are the variables, every
// staging column a field; `fenster` is the parent of the engine's dialogs. Any other report number
// only resets the scratch table, which is reset on every way out.
void TankdatenDrucken(reporting::TTb6_ &tb, TDataModule1 &dm, QWidget *fenster, int reportNummer, int modus);

// The main window's engine component "Tabul5_1"; nullptr while the main window has none.
reporting::TTb6_ *HauptfensterKomponente();

} // namespace tank
} // namespace fleet
