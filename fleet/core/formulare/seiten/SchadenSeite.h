#pragma once

#include "formulare/seiten/AktenSeite.h"

namespace ui {
class CheckBox;
}

namespace fleet {

// The vehicle's damage cases, optionally filtered on one processing number.
class SchadenSeite : public AktenSeite {
public:
    explicit SchadenSeite(ui::TabSheet *tab);
    void anfangen() override;

    // The filter box cleared.
    void SchadenFilterAusschalten();
    void ChkBoxSchadenFilterClick();

    void BtnSchadenNeuClick() { NeuClick(); }
    void BtnSchadenSpeichernClick() { SpeichernClick(); }
    void BtnSchadenLoeschenClick() { LoeschenClick(); }
    void BitBtnSchadenDruckenClick() { DruckenClick(kDrucken); }
    void BitBtnSchadenVorschauClick() { DruckenClick(kVorschau); }
    void BtnSchadenBildNeuClick() { BildNeuClick(); }
    void BtnSchadenDokumentNeuClick() { DokumentNeuClick(); }
    void BtnSchadenDokumentOeffnenClick() { DokumentOeffnenClick(); }

    ui::CheckBox *ChkBoxSchadenFilter = nullptr;

protected:
    void kopfAufbauen(QVBoxLayout *seite) override;
};

} // namespace fleet
