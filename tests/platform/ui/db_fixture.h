#pragma once

#include <memory>
#include <vector>

#include <QString>
#include <QVariantList>

#include "dbe/DataSource.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "temp_dir.h"

// A real SQLite directory for the form-kit tests (alias "Daten"):
//   Kfz.db    KfzNr text 10 (key), Info text 30, Km float, Datum date,
//             Leasing text 6 ("Wahr"/"Falsch"), Art integer, Gruppe text 20, Bild blob
//   Gruppe.db Gruppe text 20 (key)
class DbFixture {
public:
    DbFixture();

    std::unique_ptr<dbe::TTable> table(const QString &name);
    // Appends vehicles (KfzNr, Info, Km) in one transaction.
    static void addVehicles(dbe::TTable &table,
                            const std::vector<std::tuple<QString, QString, double>> &rows);
    // n vehicles "K00001" ... with Info "Fahrzeug i".
    static void addNumberedVehicles(dbe::TTable &table, int count);

    testsupport::TempDir dir;
    std::unique_ptr<dbe::TSession> session;
};

// An open vehicle table with a data source over it.
struct VehicleTable {
    explicit VehicleTable(DbFixture &db);
    std::unique_ptr<dbe::TTable> table;
    dbe::TDataSource source;
};
