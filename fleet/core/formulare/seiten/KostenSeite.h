#pragma once

#include "formulare/seiten/RasterSeite.h"

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

    ui::RadioGroup *RadioGrpKostenSicht = nullptr;
    ui::ComboBox *CmbBoxKostenMonat = nullptr, *CmbBoxKostenJahr = nullptr;

protected:
    void kopfAufbauen(QVBoxLayout *seite) override;
};

} // namespace fleet
