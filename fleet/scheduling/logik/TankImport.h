#pragma once

#include <functional>
#include <optional>

#include <QString>

#include "dbe/Table.h"
#include "logik/TankdatenLesen.h"

namespace fleet {

class TDataModule1;
class TDataModuleImport;

namespace tank {

// The fuel-card import over the tables: staging a delivered file, checking
// the staged lines against vehicles, categories and existing costs, and
// posting them into the variable costs. Plates and cost keys are looked up
// through cursors of its own over all vehicles and all costs of the client,
// whatever the main window's vehicle filter shows.
class TankImport {
public:
    TankImport(TDataModuleImport &imp, TDataModule1 &dm);

    // The current fuel-file type (upper case) and its loaded configuration.
    QString AktuellerTankdateiTyp;
    TankdateiKonfiguration Konfiguration;

    // What the form shows: the type label, and the status line (the colour
    // legend or nothing).
    std::function<void(const QString &typ)> TypAnzeigen = [](const QString &) {};
    std::function<void(bool farben)> LegendeZeigen = [](bool) {};

    // The form became active: the staging table open; with staged lines the
    // type stored in the settings is the current one again.
    void Aktivieren();

    // The whole import run; `dateiWaehlen` asks for the file (nothing: cancelled).
    void Importieren(const std::function<std::optional<QString>()> &dateiWaehlen);
    // The whole posting run.
    void Buchen();

    bool TankdateiKonfigLaden();
    bool KonfigSatzSuchen();
    // The vehicle number a delivered plate belongs to, or empty.
    QString KennzeichenSuchen(const QString &kennzeichen);
    bool ImportPruefen(PruefZaehler &zaehler);
    // One cost record from the current staged line; a key clash takes the
    // document number with "/A" … "/J".
    bool KostensatzBuchen(const QString &kfzNr, int kategorie);
    void TankdateiTypMerken();

    // Counts of the last runs, as their messages told them.
    int Importiert = 0, NichtGespeichert = 0, Gebucht = 0, BuchenFehlgeschlagen = 0;

private:
    bool importLauf(const QString &pfad);
    void zeileStagen();
    void kmStandAnheben(const QString &kfzNr, int km);

    TDataModuleImport &imp_;
    TDataModule1 &dm_;
    dbe::TTable fahrzeuge_; // KfzStamm.db, all vehicles
    dbe::TTable kosten_;    // KfzVar.db, all costs
};

} // namespace tank
} // namespace fleet
