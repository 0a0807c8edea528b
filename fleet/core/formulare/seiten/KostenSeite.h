#pragma once

#include "formulare/seiten/RasterSeite.h"

class QHBoxLayout;
class QPushButton;

namespace ui {
class ComboBox;
class RadioGroup;
} // namespace ui

namespace fleet {

// The vehicle's variable costs, all of them or those of a month or year.
class KostenSeite : public RasterSeite {
public:
    explicit KostenSeite(ui::TabSheet *tab);
    void anfangen() override;

    // The view RadioGrpKostenSicht (0 "Alle", 1 "Monat", 2 "Jahr") and the year box's text.
    int KostenSicht() const;
    void KostenSichtSetzen(int sicht);
    QString KostenJahr() const;

    // "-> &Historie": the marked cost row copied into the history (only while
    // the history page is shown); "Suchen": a field search over the costs of
    // all vehicles, which then shows the found row's vehicle.
    void BtnKosteninHistorieClick();
    void BitBtnVarKostenSuchenClick();

    // "&Neu" (dated like the vehicle's last receipt), "&Speichern", "&Löschen".
    void TBtnVarKostenNeuClick();
    void TBtnVarKostenSpeichernClick();
    void TBtnVarKostenLoeschenClick();
    // The period view: all costs, those of a month or of a year.
    void RadioGrpKostenSichtClick();
    void CmbBoxKostenMonatChange();
    void CmbBoxKostenJahrChange();

    ui::RadioGroup *RadioGrpKostenSicht = nullptr;
    ui::ComboBox *CmbBoxKostenMonat = nullptr, *CmbBoxKostenJahr = nullptr;
    QPushButton *BtnKosteninHistorie = nullptr, *BitBtnVarKostenSuchen = nullptr;
    QPushButton *TBtnVarKostenNeu = nullptr, *TBtnVarKostenSpeichern = nullptr,
                *TBtnVarKostenLoeschen = nullptr;
    // Print (kDrucken) or preview (kVorschau) of the vehicle's costs, report 2.
    void VarKostenDrucken(int modus);
    QPushButton *TBitBtnVarKostenDrucken = nullptr, *TBitBtnVarKostenVorschau = nullptr;

protected:
    void kopfAufbauen(QVBoxLayout *seite) override;
    void fussAufbauen(QVBoxLayout *seite) override;

private:
    void historieUndSucheAufbauen(QHBoxLayout *kopf);
    void jahresFilter();
    void monatsFilter();
};

} // namespace fleet
