#include "regeln/DetailVorgaben.h"

#include <cmath>
#include <exception>
#include <limits>

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "dbe/Table.h"
#include "dienste/Protokoll.h"
#include "ui/Clock.h"

namespace fleet {

namespace {

// TTblVar on the vehicle's rows of a detail table, at its last row.
dbe::TTable &letzteZeile(const QString &tabelle)
{
    dbe::TTable &var = DataModule1->TTblVar;
    if (var.Active())
        throw dbe::EDatabaseError(QStringLiteral("Die Hilfstabelle ist in Gebrauch"));
    var.SetDatabaseName(kAliasFuhrpark);
    var.SetTableName(tabelle);
    var.SetMasterSource(&DataModule1->TDataSrcMain);
    var.SetMasterFields(QStringLiteral("Kfznr"));
    var.Open();
    var.Last();
    return var;
}

base::TDateTime datumOderHeute(const dbe::TField *feld)
{
    const base::TDateTime datum = feld->IsNull() ? 0.0 : feld->AsDateTime();
    return datum == 0 ? ui::today() : datum;
}

} // namespace

bool LetztesBelegDatum(base::TDateTime &datum)
{
    try {
        const dbe::TTable &var = letzteZeile(QStringLiteral("KfzVar.db"));
        datum = datumOderHeute(var.FieldByName(QStringLiteral("BelegDatum")));
        HilfstabellenZuruecksetzen();
        return true;
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        HilfstabellenZuruecksetzen();
        datum = ui::today();
        return false;
    }
}

bool LetzteTourDaten(int &ankunftKm, base::TDateTime &datum)
{
    try {
        const dbe::TTable &var = letzteZeile(QStringLiteral("KfzTour.db"));
        const double km = var.FieldByName(QStringLiteral("AnkunftKm"))->AsFloat();
        if (!std::isfinite(km) || std::fabs(km) > std::numeric_limits<int>::max())
            throw dbe::EDatabaseError(QStringLiteral("Ungültiger Kilometerstand"));
        ankunftKm = static_cast<int>(std::llround(km));
        datum = datumOderHeute(var.FieldByName(QStringLiteral("Datum")));
        HilfstabellenZuruecksetzen();
        return true;
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        HilfstabellenZuruecksetzen();
        ankunftKm = 0;
        datum = ui::today();
        return false;
    }
}

} // namespace fleet
