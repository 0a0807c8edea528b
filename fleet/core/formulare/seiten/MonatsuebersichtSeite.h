#pragma once

#include "formulare/seiten/HauptSeite.h"

class QGroupBox;
class QHBoxLayout;
class QLabel;

namespace ui {
class CheckBox;
class ComboBox;
class RadioGroup;
} // namespace ui

namespace fleet {

// The current vehicle's saved months side by side, all of them or one year's,
// with their totals and per-month averages.
class MonatsuebersichtSeite : public HauptSeite {
public:
    using HauptSeite::HauptSeite;
    void aufbauen() override;
    void anfangen() override;
    void betreten() override;

    // Totals and averages of the rows the grid shows, into the labels.
    void MonatsuebersichtAnzeigen();
    void RadioGrpSichtClick();
    void ComboBoxJahrChange();
    void RadioGrpMonatsuebersichtTabelleClick();

    ui::RadioGroup *RadioGrpSicht = nullptr, *RadioGrpMonatsuebersichtTabelle = nullptr;
    ui::ComboBox *ComboBoxJahr = nullptr;
    ui::CheckBox *CheckBoxGrafik = nullptr;
    ui::DBGrid *DBGridMonatsuebersicht = nullptr;
    QGroupBox *PanMonatsuebersichtStandard = nullptr, *PanMonatsuebersichtKosten = nullptr;
    QLabel *LblSummeSchadstoff = nullptr, *TLblErtragMonatsuebersichtUeberschrift = nullptr,
           *TLblSummeErtragMonat = nullptr, *TLblDErtragMonat = nullptr;

private:
    void panelsAufbauen(QHBoxLayout *zeile);
    void jahrFilter(bool jahr);
};

} // namespace fleet
