#include "regeln/FahrzeugFilter.h"

#include "daten/DataModule1.h"
#include "dbe/EngineCursor.h"
#include "dbe/detail/Cursor.h"
#include "dienste/Formularzugriff.h"

namespace fleet {

FahrzeugFilter::FahrzeugFilter(dbe::TTable &fahrzeuge) : fahrzeuge_(fahrzeuge) {}

void FahrzeugFilter::neuLesen()
{
    kennzeichen_.clear();
    const int feld = fahrzeuge_.FieldByName(QStringLiteral("KfzNr"))->FieldNo();
    std::unique_ptr<dbe::TEngineCursor> klon = fahrzeuge_.Handle()->Clone();
    klon->SetToBegin();
    for (;;) {
        try {
            klon->GetNextRecord();
        } catch (const dbe::EDBEngineError &e) {
            if (e.ErrorCode() == dbe::ErrorCode::EndOfTable)
                break;
            throw;
        }
        bool leer = false;
        kennzeichen_.insert(klon->FieldValue(feld, leer).toString());
    }
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
