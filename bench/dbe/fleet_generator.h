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

// Vehicle number i (0-based) as the generator writes it: "K-00042".
QString vehicleNumber(int i);

// Vehicles and dispatch bookings for a directory whose tables the fleet's own
// catalogue has made (KfzStamm.db, KfzDispo.DB): `vehicles` vehicles with
// their number only, and `bookings` bookings of one to three days in 2024,
// spread evenly over the vehicles, with their derived fields. Plain SQL in one
// transaction.
void fillDispatch(const QString &directory, int vehicles, int bookings);
