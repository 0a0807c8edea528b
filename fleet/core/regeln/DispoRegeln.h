#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace fleet {

class TDataModule1;

// Collision settings of the client, put in force at start-up:
// KollisionsPruefung 'D' "Nur Datum" (no test) or 'Z' "Datum und Uhrzeit";
// KollisionsAktion 'W' "Nur warnen" or 'V' "Verbieten".
extern QChar KollisionsPruefung;
extern QChar KollisionsAktion;
// Only the workstation that created a booking may change or delete it.
extern bool DispoNurEigene;
// This workstation's name ("unbekannt" until the settings are read).
extern QString AktuellerArbeitsplatz;

// Set by the dispatch page: the next new booking carries the marked one
// forward, with these texts of it.
struct DispoKopieFelder {
    QString Tour, FahrerName, FahrerKz, FahrerNr, Kostenstelle, Bemerkung1, Bemerkung2, Bemerkung3;
};
extern bool DispoFortschreiben;
extern DispoKopieFelder DispoKopie;
// The period dialog of the last new booking was confirmed.
extern bool DispoEingabeBestaetigt;

// The fields of a booking that the delete rule bound by DispoRegelnBinden looks
// at: a deletion of many bookings at once reads only these before it asks the
// rule about each booking.
const QStringList &DispoLoeschRegelFelder();

// Fills the data module's places of the booking rules: the period dialog
// before a new booking, the new booking's values, validation, collision test
// and derived fields before a save, the creator's rights, and the dispatch
// page's utilisation, buttons and chart after changes. The record filter is
// the vehicle filter the data module binds itself.
void DispoRegelnBinden(TDataModule1 &dm);

} // namespace fleet
