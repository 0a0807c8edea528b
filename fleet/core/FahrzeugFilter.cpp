#include "FahrzeugFilter.h"

#include "DataModule1.h"
#include "Formularzugriff.h"

namespace fleet {

FahrzeugFilter::FahrzeugFilter(dbe::TTable &fahrzeuge) : fahrzeuge_(fahrzeuge), klon_(&fahrzeuge.Session()) {}

void FahrzeugFilter::Zuruecksetzen()
{
    klon_.Close();
}

void FahrzeugFilter::nachziehen()
{
    const bool gleich = klon_.Active() && klon_.DatabaseName() == fahrzeuge_.DatabaseName() &&
                        klon_.TableName() == fahrzeuge_.TableName() && filterText_ == fahrzeuge_.Filter() &&
                        gefiltert_ == fahrzeuge_.Filtered();
    if (gleich)
        return;
    klon_.Close();
    klon_.SetDatabaseName(fahrzeuge_.DatabaseName());
    klon_.SetTableName(fahrzeuge_.TableName());
    filterText_ = fahrzeuge_.Filter();
    gefiltert_ = fahrzeuge_.Filtered();
    klon_.SetFilter(filterText_);
    klon_.OnFilterRecord = fahrzeuge_.OnFilterRecord;
    klon_.SetFiltered(gefiltert_);
    klon_.Open();
}

bool FahrzeugFilter::Enthaelt(const QString &kfzNr)
{
    nachziehen();
    return klon_.Locate(QStringLiteral("KfzNr"), kfzNr);
}

void FahrzeugFilterRecord(dbe::TDataSet &buchung, bool &accept, int fahrzeugAuswahl, FahrzeugFilter &filter)
{
    accept = true;
    if (fahrzeugAuswahl != 2)
        return;
    accept = filter.Enthaelt(buchung.FieldByName(QStringLiteral("Kfznr"))->AsString());
}

void FahrzeugFilterRecord(dbe::TDataSet &buchung, bool &accept)
{
    accept = true;
    if (!DataModule1)
        return;
    FahrzeugFilterRecord(
        buchung, accept,
        AuswahlIndex(QStringLiteral("HauptFormular"), QStringLiteral("RadioGrpDispoFahrzeuge")),
        DataModule1->Fahrzeugfilter());
}

} // namespace fleet
