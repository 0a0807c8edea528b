#pragma once

#include <memory>

#include "dbe/DataSource.h"
#include "dbe/Table.h"
#include "logik/MonatsauswertungAlle.h"
#include "ui/FormBase.h"

class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace ui {
class DBGrid;
}

namespace fleet {

// The monthly evaluation of every vehicle for one month: one row per vehicle
// with totals, vehicles without kilometres or variable costs in red, saved into
// the monthly history, a jump to one vehicle's costs, printed as report 19.
class TMonatsauswertungAlleFahrzeugeFormular : public ui::FormBase {
public:
    explicit TMonatsauswertungAlleFahrzeugeFormular(QWidget *parent = nullptr);
    ~TMonatsauswertungAlleFahrzeugeFormular() override;

    // Handlers.
    void FormActivate();
    void FormClose();
    void CmbBoxMonatsauswertungAFMonatChange();
    void CmbBoxMonatsauswertungAFJahrChange();
    void TBtnMonatsauswertungBerechnenClick();
    void TBtnMonatsauswertungSpeichernClick();
    void TBtnFahrzeugZeigenClick();
    void TblMonatsauswertungAFAfterScroll();
    void TBitBtnMonatsauswertungAlleFahrzeugeDruckenClick();
    void TBitBtnMonatsauswertungAlleFahrzeugeVorschauClick();

    void SummenBerechnen();
    void AuswertungszeitraumSetzen();

    dbe::TTable TblMonatsauswertungAF, TblNachschlagStamm;
    dbe::TDataSource DataSrcMonatsauswertungAF;

    QComboBox *CmbBoxMonatsauswertungAFMonat, *CmbBoxMonatsauswertungAFJahr;
    ui::DBGrid *DBGridMonatsauswertungAF;
    QProgressBar *ProgBarMonatsauswertung;
    QFrame *Panel1, *PanSummen;
    QLabel *LblKfzInfo, *LblKfzGruppe, *LblKfzKostenstelleStandort, *LblAuswertungszeitraum;
    QLabel *LBLSummeGefKm, *LblSummeGesamtkosten, *LblSummeFixkosten, *LblSummeVarkosten, *LblSummeVerbrauchL,
        *LblSummeErtrag, *LblSummeErtragTitel;
    QPushButton *TBtnMonatsauswertungBerechnen, *TBtnMonatsauswertungSpeichern, *TBtnFahrzeugZeigen,
        *TBitBtnMonatsauswertungAlleFahrzeugeDrucken, *TBitBtnMonatsauswertungAlleFahrzeugeVorschau,
        *BitBtnSchliessen;

private:
    void drucken(int modus);
    void spaltenEinrichten();
};

// Made on first use behind MonatsauswertungAlleFahrzeugeErzeugt.
TMonatsauswertungAlleFahrzeugeFormular &MonatsauswertungAlleFahrzeugeFormular();
void MonatsauswertungAlleFahrzeugeFormularFreigeben();

} // namespace fleet
