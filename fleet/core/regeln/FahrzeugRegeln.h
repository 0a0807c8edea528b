#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace dbe {
class TDataSet;
}

namespace fleet {

class TDataModule1;

// One of the 21 appointment fields of a vehicle with the name its notes are
// stored under in KfzTerminInfo.db.
struct TerminFeld {
    QString feld;
    QString notizName;
};
// The 21 appointment fields in their fixed order.
const QList<TerminFeld> &TerminFelder();

// The 21 appointment values as text as they were stored when the vehicle
// became current (and after each successful save of it).
extern QStringList TermineBeimScrollen;
// When true, the next after-scroll event of the vehicle table only resets it
// (set by the client switch).
extern bool AfterScrollUeberspringen;
// The picture or document last chosen on the document page.
extern QString AktuellesBild;

void TermineMerken(const dbe::TDataSet &fahrzeuge);

// Stores the number of all vehicles in the current client's row of Mandant.db.
void FahrzeugAnzahlSpeichern(TDataModule1 &dm);

// Fills the data module's places of the vehicle master rules: new vehicles,
// saving (mandatory registration number, growing lookup tables, notes of
// changed appointments), the vehicle becoming current, and the deletion of a
// vehicle with all its details in one transaction.
void FahrzeugRegelnBinden(TDataModule1 &dm);

} // namespace fleet
