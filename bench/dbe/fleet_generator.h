#pragma once

#include <QList>
#include <QString>

#include "dbe/Schema.h"

struct sqlite3;

// A generated fleet in one directory, stored through the database layer's
// catalogue: KfzStamm.db (vehicles), KfzVar.db (costs), KfzTour.db (tours)
// and eight smaller detail tables Detail1.db … Detail8.db (two rows per
// vehicle each), all linked by KfzNr.
struct FleetSize {
    int vehicles = 10000;
    int costs = 1000000;
    int tours = 200000;
    static FleetSize scaled(double factor);
};

// Creates the tables through the layer, then fills them with plain SQL in
// one transaction (the generator is not what is measured). With a catalogue
// (the fleet's own table definitions), its definitions replace the reduced
// ones of the same name and its other tables are created empty; the fleet's
// amounts beyond the reduced columns are filled too: repair and maintenance
// costs, the nine annual master amounts and the tours' revenue.
void generateFleet(const QString &directory, const FleetSize &size,
                   const QList<dbe::TableDef> &catalogue = {});

// The sizes of a data directory in the fleet program's own schema. At full
// size: 10,000 vehicles, 200,000 tours, 1,000,000 costs, 360,000 monthly rows
// (three years), 200,000 dispatch bookings, 20,000 appointment notes.
struct FleetDirectorySize {
    int vehicles = 10000;
    int toursPerVehicle = 20;
    int costsPerVehicle = 100;
    int monthsPerVehicle = 36; // from January 2022 on
    int bookingsPerVehicle = 20;
    int notesPerVehicle = 2;
    // The vehicles scaled by the factor (at least 20), the rows per vehicle kept.
    static FleetDirectorySize scaled(double factor);
};

// Writes a fleet into the data directory of one client, as the program keeps
// it: vehicles with their due appointments, amounts, group, location, driver
// and leasing company; their tours, costs, monthly rows, dispatch bookings,
// appointment notes, tyres, history and damages; and the lookup tables of
// groups, locations, leasing companies, drivers and tyre types. The tables are
// made from the catalogue where they are missing (those of the program's first
// start are used as they are); rows are written with plain SQL in one
// transaction. Returns the number of rows written.
long long generateFleetDirectory(const QString &directory, const FleetDirectorySize &size,
                                 const QList<dbe::TableDef> &catalogue);

// Vehicle number i (0-based) as the generator writes it: "K-00042".
QString vehicleNumber(int i);

// Vehicles and dispatch bookings for a directory whose tables the fleet's own
// catalogue has made (KfzStamm.db, KfzDispo.DB): `vehicles` vehicles with
// their number only, and `bookings` bookings of one to three days in 2024,
// spread evenly over the vehicles, with their derived fields. Plain SQL in one
// transaction.
void fillDispatch(const QString &directory, int vehicles, int bookings);
