#pragma once

#include "logik/TourSummen.h"
#include "ui/FormBase.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace nav {
class TDBVexarion;
class TDBVNavigator;
} // namespace nav

namespace ui {
class DBGrid;
}

namespace fleet {

// The tours of all vehicles with their sums (number, driven kilometres,
// revenue, kilometre costs) over the tours that pass the navigator's filter
// or over the marked tours; printed as report 9.
class TTourAuswertungFormular : public ui::FormBase {
public:
    explicit TTourAuswertungFormular(QWidget *parent = nullptr);
    ~TTourAuswertungFormular() override;

    // Handlers.
    void FormActivate();
    void FormClose();
    void DBVexdTourenAuswertungFilterChanged();
    void BtnBerechnenClick();
    void DBGridTourAuswertungDblClick();
    void TBitBtnAlleFahrzeugeAuswertungDruckenClick();
    void TBitBtnDurchschnittVorschauClick();

    void TourSummenBerechnen();

    // The last computation's result, as the labels show it.
    TourSummen Summen;

    ui::DBGrid *DBGridTourAuswertung;
    QLabel *TLblSummeTouren, *TLblSummeTourenKm, *LblSummeErtraege, *LblSummeKosten, *PanelTourenStatus;
    QPushButton *BtnBerechnen, *TBitBtnAlleFahrzeugeAuswertungDrucken, *TBitBtnDurchschnittVorschau,
        *BitBtnSchliessen;
    QProgressBar *ProgBarTourenAuswertung;
    nav::TDBVexarion *DBVexdTourenAuswertung;
    nav::TDBVNavigator *DBVNavigator1;

private:
    void drucken(int modus);
    void summenZeigen();
};

// The one instance, created by the program body.
extern TTourAuswertungFormular *TourAuswertungFormular;
// The form, made on first use; nullptr when the program does not make it.
TTourAuswertungFormular *TourAuswertungFormularBereitstellen();

} // namespace fleet
