#pragma once

#include "logik/FuhrparkKosten.h"
#include "ui/FormBase.h"

class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QSplitter;

namespace ui {
class DBGrid;
class RadioGroup;
} // namespace ui

namespace fleet {

class TBalkenDiagramm;

// Costs, kilometres, fuel, pollutant and revenue of every vehicle over a
// period, the fleet totals and a bar chart of one column; printed as report 8.
class TFuhrparkKostenFormular : public ui::FormBase {
public:
    explicit TFuhrparkKostenFormular(QWidget *parent = nullptr);

    // Handlers.
    void FormCreate();
    void FormActivate();
    void RadioGrpSichtClick();
    void DBGridFuhrparkColEnter();
    void DBChartFuhrparkDblClick();
    void TBitBtnAlleFahrzeugeAuswertungDruckenClick();
    void TBitBtnDurchschnittVorschauClick();

    void FuhrparkKostenBerechnen();
    void AuswertungszeitraumAnzeigen(const QString &monat, const QString &jahr);

    TFuhrparkSummen Summen;

    ui::RadioGroup *RadioGrpSicht;
    QComboBox *ComboBoxJahr, *CmbBoxMonat;
    QLabel *LblAuswertungszeitraum, *LblFilter;
    ui::DBGrid *DBGridFuhrpark;
    QSplitter *SplitterFuhrpark;
    TBalkenDiagramm *DBChartFuhrpark;
    QFrame *PanMonatsuebersichtKosten;
    QLabel *LblSummeFuhrparkGesamtkosten, *LblSummeFuhrparkVarkosten, *LblSummeFuhrparkFixkosten,
        *LBLSummeFuhrparkVerbrauchKosten, *LblSummeFuhrparkReparaturKosten, *LblSummeFuhrparkWartungKosten,
        *LblSummeFuhrparkUntersuchungKosten, *LblSummeFuhrparkReifenKosten, *LblSummeFuhrparkPflegeKosten,
        *LblSummeFuhrparkSonstigeKosten, *LblSummeFuhrparkSonstige2Kosten, *LblSummeFuhrparkSonstige3Kosten,
        *LblSummeFuhrparkSonstige4Kosten, *LBLSummeFuhrparkGefKm, *LblSummeFuhrparkVerbrauchL,
        *LblSummeFuhrparkSchadstoff, *LblSummeFuhrparkErtrag;
    QLabel *LblSonstigeKostenName, *LblSonstige2KostenName, *LblSonstige3KostenName, *LblSonstige4KostenName,
        *LblFuhrparkSchadstoff;
    QProgressBar *ProgBarFuhrparkkosten;
    QPushButton *TBitBtnAlleFahrzeugeAuswertungDrucken, *TBitBtnDurchschnittVorschau, *BitBtnSchliessen;

private:
    void diagrammFuellen(const QString &feld);
    void summenZeigen();
    void drucken(int modus);
    QString diagrammFeld_ = QStringLiteral("GesamtKosten");
};

// The one instance, created by the program body.
extern TFuhrparkKostenFormular *FuhrparkKostenFormular;
// The form, made on first use; nullptr when the program does not make it.
TFuhrparkKostenFormular *FuhrparkKostenFormularBereitstellen();

} // namespace fleet
