#pragma once

#include "ui/FormBase.h"

class QComboBox;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace ui {
class DBGrid;
}

namespace fleet {

// The vehicles side by side by their monthly averages, rebuilt at every
// activation, sorted by a chosen column and printed as report 5.
class TAlleFahrzeugeFormular : public ui::FormBase {
public:
    explicit TAlleFahrzeugeFormular(QWidget *parent = nullptr);

    // Handlers.
    void FormActivate();
    void TComboBoxSortChange();
    void TBitBtnAlleFahrzeugeAuswertungDruckenClick();
    void TBitBtnDurchschnittVorschauClick();

    ui::DBGrid *TDBGridAlleFahrzeuge;
    QComboBox *TComboBoxSort;
    QPushButton *TBitBtnAlleFahrzeugeAuswertungDrucken, *TBitBtnDurchschnittVorschau, *BitBtnSchliessen;
    QStatusBar *StatusBarFahrzeugvergleich;
    // Shown while the comparison is built; Escape ends the run.
    QProgressBar *ProgBarFahrzeugvergleich;

private:
    void drucken(int modus);
};

// The one instance, created by the program body.
extern TAlleFahrzeugeFormular *AlleFahrzeugeFormular;
// The form, made on first use; nullptr when the program does not make it.
TAlleFahrzeugeFormular *AlleFahrzeugeFormularBereitstellen();

} // namespace fleet
