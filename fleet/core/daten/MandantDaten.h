#pragma once

#include <QString>
#include <QStringList>

namespace fleet {

// The 15 texts of the current client, in the order of Mandant.db: Mandant,
// Name1, Name2, Name3, Strasse, Land, Plz, Ort, Telefon, Fax, Mobil, Internet,
// Bemerkung1, Bemerkung2, Bemerkung3.
extern QStringList MandantDaten;

// Fills MandantDaten for the client whose directory is the last component of
// the alias's path; true when found. With `offenLassen` TblMandanten of the
// data module stays open on that client's row; else it is closed, also after
// an error.
bool MandantDatenLesen(const QString &alias, bool offenLassen);

} // namespace fleet
