#pragma once

#include "formulare/seiten/HauptSeite.h"

class QLabel;
class QPushButton;

namespace ui {
class ComboBox;
}

namespace fleet {

class KostenSeite;

// The current vehicle's costs of one month, computed when the page is entered
// or on "Berechnen".
class MonatsauswertungSeite : public HauptSeite {
public:
    MonatsauswertungSeite(ui::TabSheet *tab, KostenSeite &kosten);
    void aufbauen() override;
    void anfangen() override;
    // The cost page back on all costs, the warning hidden, the month computed.
    void betreten() override;

    // Computes the month; a warning code above 0 is shown.
    void Berechnen();

    ui::ComboBox *CmbBoxMonatsauswertungMonat = nullptr, *CmbBoxMonatsauswertungJahr = nullptr;
    QPushButton *TBtnMonatsauswertungBerechnen = nullptr;
    QLabel *LblWarnmeldung2 = nullptr;

private:
    KostenSeite &kosten_;
};

} // namespace fleet
