#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

// The rows an empty machine gets at its first start.
namespace fleet::startdaten {

using Zeile = QList<QPair<QString, QVariant>>;

Zeile EinstellungenAllgemein();    // the one row of Kfzsyste.DB
Zeile EinstellungenArbeitsplatz(); // the one row of Kfzsyspr.DB
QList<Zeile> Mandanten();          // "Mandant1" … "Mandant20" of Mandant.db
QList<Zeile> TerminKennzeichen();  // the appointment codes of TerminKz.DB
QList<Zeile> HilfeThemen();        // topics 1 and 2 of HILFE.DB

// Directory of a client by the fixed rule: "Mandant1" "Datenbk", "MandantN" "DatenbkN".
QString MandantVerzeichnis(int nummer);

} // namespace fleet::startdaten
