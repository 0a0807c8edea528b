#pragma once

#include <QSet>
#include <QString>

#include "dbe/Table.h"

namespace fleet {

// Whether a vehicle passes the vehicle filter in force on the vehicle table
// (its range, filter text, record filter and filter trees). The test reads a
// clone of the table's cursor, so the vehicle table does not move and its
// after-scroll rules do not run. The vehicles that pass are read once and read
// again when the table's rows or filters change.
class FahrzeugFilter {
public:
    explicit FahrzeugFilter(dbe::TTable &fahrzeuge);
    bool Enthaelt(const QString &kfzNr);

private:
    void neuLesen();

    dbe::TTable &fahrzeuge_;
    QSet<QString> kennzeichen_;
    bool gelesen_ = false;
    const void *cursor_ = nullptr;
    quint64 version_ = 0;
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
