#pragma once

#include <QString>

namespace dbe {
class TTable;
}
namespace ui {
class DBGrid;
}

// What the "&Neu", "&Speichern" and "&Löschen" buttons of the detail pages share.
namespace fleet::seiten {

// A new row: the grid gets the focus on the named field's column.
void ZeileBeginnen(ui::DBGrid &grid, const QString &feld);
// Posts a pending edit or insert; a refused post says nothing more (the
// table's rules have spoken).
void Speichern(dbe::TTable &tabelle);
// A new row is dropped without a question; a stored one is deleted after the
// question, a failed delete shows `fehler`.
void Loeschen(dbe::TTable &tabelle, const QString &frage, const QString &fehler);

} // namespace fleet::seiten
