#pragma once

#include <QString>

#include "dbe/Table.h"

namespace fleet {

// Whether a vehicle passes the vehicle filter in force on the vehicle table,
// tested on a second cursor over the same table with the same filter, so that
// the vehicle table does not move and its after-scroll rules do not run.
class FahrzeugFilter {
public:
    explicit FahrzeugFilter(dbe::TTable &fahrzeuge);
    bool Enthaelt(const QString &kfzNr);
    // Takes the vehicle table's filter anew at the next test (after the filter changed).
    void Zuruecksetzen();

private:
    void nachziehen();

    dbe::TTable &fahrzeuge_;
    dbe::TTable klon_;
    QString filterText_;
    bool gefiltert_ = false;
};

// The record filter for tables over the dispatch bookings: with the dispatch
// page's vehicle choice on 2 ("Filter") a booking passes when its vehicle passes
// the vehicle filter; with any other choice every booking passes.
void FahrzeugFilterRecord(dbe::TDataSet &buchung, bool &accept, int fahrzeugAuswahl, FahrzeugFilter &filter);

// The same for the main window's choice and the data module's vehicle table.
void FahrzeugFilterRecord(dbe::TDataSet &buchung, bool &accept);

} // namespace fleet
