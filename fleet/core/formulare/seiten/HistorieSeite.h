#pragma once

#include "formulare/seiten/AktenSeite.h"

namespace fleet {

// The vehicle's history: dated entries with costs, a remark or a linked
// picture or document.
class HistorieSeite : public AktenSeite {
public:
    explicit HistorieSeite(ui::TabSheet *tab);

    void BtnHistorieNeuClick() { NeuClick(); }
    void BtnHistorieSpeichernClick() { SpeichernClick(); }
    void BtnHistorieLoeschenClick() { LoeschenClick(); }
    void BitBtnHistorieDruckenClick() { DruckenClick(kDrucken); }
    void BitBtnHistorieVorschauClick() { DruckenClick(kVorschau); }
    void BtnHistorieBildNeuClick() { BildNeuClick(); }
    void BtnHistorieDokumentNeuClick() { DokumentNeuClick(); }
    void BtnHistorieDokumentOeffnenClick() { DokumentOeffnenClick(); }
};

} // namespace fleet
