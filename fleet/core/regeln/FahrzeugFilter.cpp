#include "regeln/FahrzeugFilter.h"

#include "daten/DataModule1.h"
#include "daten/SichtLesen.h"
#include "dbe/detail/Cursor.h"
#include "dienste/Formularzugriff.h"

namespace fleet {

FahrzeugFilter::FahrzeugFilter(dbe::TTable &fahrzeuge) : fahrzeuge_(fahrzeuge) {}

void FahrzeugFilter::neuLesen()
{
    kennzeichen_.clear();
    SichtLesen(fahrzeuge_, {QStringLiteral("KfzNr")},
               [this](const std::vector<QVariant> &werte) { kennzeichen_.insert(werte[0].toString()); });
}

bool FahrzeugFilter::Enthaelt(const QString &kfzNr)
{
    if (!fahrzeuge_.Active())
        return false;
    const quint64 version = fahrzeuge_.cursor()->version();
    const bool aktuell = gelesen_ && cursor_ == fahrzeuge_.cursor() && version_ == version &&
                         filterText_ == fahrzeuge_.Filter() && gefiltert_ == fahrzeuge_.Filtered();
    if (!aktuell) {
        neuLesen();
        gelesen_ = true;
        cursor_ = fahrzeuge_.cursor();
        version_ = version;
        filterText_ = fahrzeuge_.Filter();
        gefiltert_ = fahrzeuge_.Filtered();
    }
    return kennzeichen_.contains(kfzNr);
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
