#pragma once

#include <QList>
#include <QString>

namespace fleet {

// One of the six ready-made vehicle filters of the edit menu: it restricts
// the vehicles to those that share a field's value (or its emptiness) with
// the current vehicle.
struct FahrzeugMenueFilter {
    QString aktion;      // object name of the menu item
    QString feldName;    // field of KfzStamm.db
    int op = 0;          // 1 empty, 2 not empty, 3 equal (the current vehicle's value)
    QString bezeichnung; // FilterBezeichnung, shown on the filter panel
    QString zaehlText;   // before the number of vehicles left; %1 is the value
};

// The six, in menu order.
const QList<FahrzeugMenueFilter> &FahrzeugMenueFilterListe();
const FahrzeugMenueFilter *FahrzeugMenueFilterZu(const QString &aktion);

// The value the filter row carries: the current value for "equal", cut to
// 255 characters; empty for the other operators.
QString FahrzeugFilterWert(const FahrzeugMenueFilter &filter, const QString &aktuellerWert);

// The information after a filter was switched on, with the vehicles left.
QString FahrzeugFilterMeldung(const FahrzeugMenueFilter &filter, const QString &wert, int anzahl);

// The information when the filter leaves no vehicle.
QString FahrzeugFilterLeerMeldung(const QString &bezeichnung);

// The field of the current vehicle whose value goes to the evaluations with
// the filter panel's caption; empty when the filter has no single value.
QString AuswertungFilterFeld(const QString &bezeichnung);

} // namespace fleet
