#pragma once

#include <optional>

#include "base/DateTime.h"
#include "formulare/seiten/HauptSeite.h"
#include "regeln/DispoSicht.h"
#include "regeln/DispoZeitleiste.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace ui {
class ComboBox;
class DatePicker;
class GanttChart;
class RadioGroup;
} // namespace ui

namespace fleet {

// The reminder after the first copy of a booking into the tours has not yet
// been shown in this run.
extern bool KmHinweisZeigen;

// The dispatch bookings of the current vehicle, of all or of the filtered
// ones, over a chosen period: as grid rows and as bars on a time line, with
// the utilisation of the period.
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
    // BtnDispoNeu and BtnDispoKopieren, as far as the edit switch and the
    // vehicle choice allow.
    void KnoepfeFreigeben(bool freigeben);

    // The view and the vehicle choice, the chart's axes, the period controls.
    void RadioGrpDispositionSichtClick();
    void RadioGrpDispoFahrzeugeClick();
    void DispoGrafikZeitraumSetzen();
    void CmbBoxDispositionMonatChange();
    void CmbBoxDispositionJahrChange();
    void DateTimePckDispositionChange();
    void DateTimePckDispositionBisChange();
    void DateTimePckDispositionBisCloseUp();
    void DateTimePckDispositionBisKeyUp();
    // Commands.
    void BtnDispoNeuClick();
    void BtnDispoKopierenClick();
    void BtnDispoSpeichernClick();
    void BtnDispoLoeschenClick();
    void BitBtnDispoDruckenClick();
    void BitBtnDispoVorschauClick();
    void BtnInTourenKopierenClick();
    void Button1Click();
    void Button2Click();
    void Button4Click();
    // Grid and chart.
    void DBGridDispoColEnter();
    void DBGridDispoKeyDown(int &key);
    void Series15Click(int balken, Qt::MouseButton knopf);
    void DBChart1ClickSeries(int balken, Qt::MouseButton knopf, bool &erledigt);

    // The page's state as the view and the utilisation read it.
    DispoSichtDaten SichtDaten() const;
    // The days of the time line's window while the view has more bookings
    // than it shows at once; none while it shows them all.
    const std::optional<DispoTage> &ZeitleistenFenster() const { return fenster_; }
    // The booking rows the time line's last read fetched.
    int ZeitleisteGelesen() const { return gelesen_; }

    ui::RadioGroup *RadioGrpDispositionSicht = nullptr, *RadioGrpDispoFahrzeuge = nullptr;
    ui::ComboBox *CmbBoxDispositionMonat = nullptr, *CmbBoxDispositionJahr = nullptr;
    ui::DatePicker *DateTimePckDisposition = nullptr, *DateTimePckDispositionBis = nullptr;
    QLabel *LblAuslastung = nullptr, *LblSichtFilter = nullptr, *LblDispositionWelcheFahrzeuge = nullptr;
    ui::DBGrid *DBGridDispo = nullptr;
    QPushButton *BtnExtGrafik = nullptr, *BtnFreieFahrzeuge = nullptr;
    ui::GanttChart *DBChart1 = nullptr;
    QPushButton *BtnDispoNeu = nullptr, *BtnDispoKopieren = nullptr, *BtnDispoSpeichern = nullptr,
                *BtnDispoLoeschen = nullptr, *BitBtnDispoDrucken = nullptr, *BitBtnDispoVorschau = nullptr,
                *BtnInTourenKopieren = nullptr, *Button1 = nullptr, *Button2 = nullptr, *Button4 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void sichtAufbauen(QVBoxLayout *seite);
    void knoepfeAufbauen(QVBoxLayout *seite);
    void verbinden();
    void fahrzeugBeschriftung();
    void balkenZeigen(const DispoBalkenLesung &lesung);
    void zeitleisteVerschoben();
    std::optional<DispoTage> markierteBuchung() const;
    bool buchungWaehlen(const DispoBalken &balken);
    bool bearbeitbar() const;
    // A command whose failures the page swallows (the rules have spoken).
    template <class Befehl> bool ausfuehren(const char *wo, Befehl befehl);

    QList<DispoBalken> balken_;
    std::optional<DispoTage> fenster_;
    int gelesen_ = 0;
};

} // namespace fleet
