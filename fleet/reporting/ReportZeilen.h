#pragma once

#include <QList>
#include <QString>

namespace dbe {
class TDataSet;
class TTable;
} // namespace dbe

namespace reporting {

class GridMarken;
class TTb6_;

// Row modes of the list loop: each defines the fields of the current record of `var` that the
// loaded project uses.

// Vehicle lookup by the record's "KfzNr", then the used fields of the record, whole (the comparison,
// the tours, the all-vehicles evaluation).
void FahrzeugUndZeile(TTb6_ &tb, dbe::TTable &fahrzeuge, const dbe::TDataSet &var);

// The due list (report 6). Without marks as FahrzeugUndZeile. With marks (`folge`: the marks in
// table order) the first marked row of the grid with the record's vehicle gives the values; a record
// whose vehicle is not marked prints empty.
void TerminListenZeile(TTb6_ &tb, dbe::TTable &fahrzeuge, const dbe::TDataSet &var, GridMarken *marken,
                       const QList<int> &folge);

// Workshop appointments (report 24): vehicle lookup, then the used "TerminInfo_" fields, whole.
void WerkstattTerminZeile(TTb6_ &tb, dbe::TTable &fahrzeuge, const dbe::TDataSet &var);

// Whether a workshop note still stands as noted: the due list has its vehicle, and the field named
// by its "TerminName" (behind "TTblTermine") shows exactly its "TerminWert".
bool WerkstattTerminGilt(const dbe::TDataSet &notiz, dbe::TTable &termine);

// Skips notes that no longer stand, from the current one on. The due list stands on its row again
// afterwards, its controls on.
void WerkstattTermineUeberspringen(dbe::TDataSet &notizen, dbe::TTable &termine);

} // namespace reporting
