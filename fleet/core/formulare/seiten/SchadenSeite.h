#pragma once

#include "formulare/seiten/RasterSeite.h"

namespace ui {
class CheckBox;
}

namespace fleet {

// The vehicle's damage cases, optionally filtered on one processing number.
class SchadenSeite : public RasterSeite {
public:
    explicit SchadenSeite(ui::TabSheet *tab);
    void anfangen() override;

    // The filter box cleared.
    void SchadenFilterAusschalten();

    ui::CheckBox *ChkBoxSchadenFilter = nullptr;

protected:
    void kopfAufbauen(QVBoxLayout *seite) override;
};

} // namespace fleet
