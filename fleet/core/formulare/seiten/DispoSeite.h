#pragma once

#include <optional>

#include "base/DateTime.h"
#include "formulare/seiten/HauptSeite.h"

class QLabel;

namespace ui {
class ComboBox;
class DatePicker;
class RadioGroup;
} // namespace ui

namespace fleet {

// The dispatch bookings of the current vehicle or of all, over a chosen period,
// with the vehicle's utilisation.
class DispoSeite : public HauptSeite {
public:
    using HauptSeite::HauptSeite;
    void aufbauen() override;
    void anfangen() override;
    void betreten() override;
    // The dispatch chart and the free-vehicles list live only with this page.
    void verlassen() override;
    ui::DBGrid *rasterFinden(const QString &name) override;

    std::optional<base::TDateTime> ErsterTag() const;
    std::optional<base::TDateTime> LetzterTag() const;
    int FahrzeugAuswahl() const;
    void FahrzeugAuswahlSetzen(int auswahl);
    int Sicht() const;
    void SichtSetzen(int sicht);
    void AuslastungAnzeigen();
    void AufAktuellesFahrzeugAlleZeitraeume();

    ui::RadioGroup *RadioGrpDispositionSicht = nullptr, *RadioGrpDispoFahrzeuge = nullptr;
    ui::ComboBox *CmbBoxDispositionMonat = nullptr, *CmbBoxDispositionJahr = nullptr;
    ui::DatePicker *DateTimePckDisposition = nullptr, *DateTimePckDispositionBis = nullptr;
    QLabel *LblAuslastung = nullptr, *LblSichtFilter = nullptr, *LblDispositionWelcheFahrzeuge = nullptr;
    ui::DBGrid *DBGridDispo = nullptr;
};

} // namespace fleet
