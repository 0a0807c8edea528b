#pragma once

#include <functional>

#include <QList>
#include <QString>

namespace dbe {
class TField;
class TTable;
} // namespace dbe

// The persistent field lists of the data module's tables: which fields a table
// component shows, in which order, with which caption, display format and grid
// visibility. Lookup fields are added by the data module itself.
namespace fleet::feldlisten {

struct Feld {
    QString name;
    QString beschriftung; // empty: the field name
    QString format;       // display format, empty for none
    bool sichtbar = true; // shown in grids
};

QList<Feld> Stamm();                 // KfzStamm.db
QList<Feld> Touren();                // KfzTour.db, "FahrerNameDummy" marks the lookup's place
QList<Feld> VarKosten();             // KfzVar.db, "TerminKzDummy" marks the lookup's place
QList<Feld> MonatKosten();           // KfzMonat.DB
QList<Feld> AlleFahrzeuge();         // KfzVergl.db
QList<Feld> Termine();               // Termine.DB
QList<Feld> FuhrparkKosten();        // KfzFuKst.db
QList<Feld> Historie();              // KfzHisto.db
QList<Feld> Dispo();                 // KfzDispo.DB, "FahrerNameDummy" marks the lookup's place
QList<Feld> Bild();                  // KfzBild.DB
QList<Feld> Schadensmanagement();    // KfzSchad.db
QList<Feld> Mandanten();             // Mandant.db
QList<Feld> Leasinggesellschaften(); // LeasGes.db

// Declares the fields of the list on a closed table, with their captions,
// formats and visibility. A name ending in "Dummy" is a lookup field, which
// `lookupAnlegen` adds at its place and anlegen() then labels.
void anlegen(dbe::TTable &tabelle, const QList<Feld> &felder,
             const std::function<dbe::TField *(const Feld &)> &lookupAnlegen);

} // namespace fleet::feldlisten
