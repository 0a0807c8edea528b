#pragma once

#include "formulare/seiten/HauptSeite.h"

namespace ui {
class CheckBox;
class ComboBox;
class RadioGroup;
} // namespace ui

namespace fleet {

// The current vehicle's months side by side, all of them or one year's.
class MonatsuebersichtSeite : public HauptSeite {
public:
    using HauptSeite::HauptSeite;
    void aufbauen() override;
    void anfangen() override;
    void betreten() override;

    ui::RadioGroup *RadioGrpSicht = nullptr;
    ui::ComboBox *ComboBoxJahr = nullptr;
    ui::CheckBox *CheckBoxGrafik = nullptr;
    ui::DBGrid *DBGridMonatsuebersicht = nullptr;
};

} // namespace fleet
