#pragma once

#include <functional>
#include <optional>

#include <QList>
#include <QString>

#include "regeln/ProgrammFarben.h"
#include "ui/FormBase.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace dbe {
class TTable;
}

namespace ui {
class DBCheckBox;
class DBEdit;
class DBGrid;
class PageControl;
class TabSheet;
} // namespace ui

namespace fleet {

// The settings of the program: the record shared by all workstations and the
// record of this workstation, edited on ten pages. Created once at start,
// where it applies the stored settings to the running program; shown modally
// from the menu. Its check boxes are read by other windows as the live value
// of their settings.
class TEinstellungenFormular : public ui::FormBase {
public:
    explicit TEinstellungenFormular(QWidget *parent = nullptr);

    // Applies the stored settings, each step on its own: a failing step shows
    // its error and the next one still runs.
    void FormCreate();
    void FormClose(ui::CloseAction &action);

    // Commands.
    void TBitBtnSpeichernClick();
    void TBtnPasswordClick();
    void TBtnNeuesPasswortClick();
    void SpeedBtnDesignerMonatsuebersichtClick();
    void PageCtrlEinstellungenChange();
    void BitBtnGruppeLoeschenClick();
    void BitBtnKostenstelleLoeschenClick();
    void BitBtnLeasinggesellschaftLoeschenClick();
    void BitBtnReifentypLoeschenClick();
    void BtnTabAnsichtResetClick();
    void DBChkBoxTerminverwaltungZeigenClick();
    void DBCheckBoxTermineClick();

    // Colours: one button per colour, the reset.
    void FarbeWaehlen(Farbe farbe);
    void BtnFarbdialogResetClick();

    // The colours and field visibility on the main window and the preview.
    void FarbenVorschauZeigen();
    void KopfzeileFarbenAnwenden();
    void StammdatenFarbenAnwenden();
    void StammdatenFelderZeigen();
    void TerminFelderZeigen();

    ui::PageControl *PageCtrlEinstellungen;
    ui::TabSheet *TabSicherheit, *TabAllgemeineVorgaben, *TabTerminVorgaben, *TabDesigner, *TabDatenbank,
        *TabFeldnamen, *TabFeldnamen2, *TabFeldnamen3, *TabFeldnamen4, *TabFarbDialog;
    QPushButton *TBitBtnSpeichern, *BitBtnSchliessen;

    // "Benutzerrechte"
    QGroupBox *PanRechte;
    QLabel *LblArbeitsplatzeinstellungen;
    ui::DBCheckBox *DBChkBoxSchreibrechte, *DBChkBoxTerminverwaltungZeigen, *DBChkBoxNurEigeneDispo;
    QPushButton *TBtnPassword, *TBtnNeuesPasswort;
    // "Allgemeine Vorgaben" and "Terminvorgaben"
    ui::DBCheckBox *DBCheckBoxSchreibschutz, *DBCheckBoxLeasing, *DBCheckBoxTermine, *DBChkBoxFarblicheInfos;
    // "Report-Designer"
    QComboBox *ComboBoxDesigner;
    QPushButton *SpeedBtnDesignerMonatsuebersicht;
    // "Datenbank"
    QLabel *LblNachschlagetabGruppe, *LblNachschlagetabKostenstelle;
    ui::DBGrid *DBGridGruppe, *DBGridKostenstelle, *DBGridLeasing, *DBGridReifentyp;
    QPushButton *BitBtnGruppeLoeschen, *BitBtnKostenstelleLoeschen, *BitBtnLeasinggesellschaftLoeschen,
        *BitBtnReifentypLoeschen, *BtnTabAnsichtReset;
    // "Farb-Dialog"
    QFrame *PanFarbdialogKopfzeile, *PanFarbdialogFahrzeugStammdaten;
    ui::DBEdit *DBEditFarbdialogKopfzeileKfznr, *EditFarbdialogKfzNr, *EditFarbdialogFeldMarkiert;
    QPushButton *BtnFarbdialogReset;

    // The colours the preview shows; a colour button starts from them.
    const Farbsatz &Vorschau() const { return vorschau_; }

private:
    void aufbauen();
    QWidget *rechteAufbauen();
    QWidget *allgemeinAufbauen();
    QWidget *termineAufbauen();
    QWidget *designerAufbauen();
    QWidget *datenbankAufbauen();
    QWidget *feldnamen1Aufbauen();
    QWidget *feldnamen2Aufbauen();
    QWidget *feldnamen3Aufbauen();
    QWidget *feldnamen4Aufbauen();
    QWidget *farbenAufbauen();
    void verbinden();

    // A step of the start-up under its own guard.
    void schritt(const std::function<void()> &aktion);
    void farbenBeimStart();
    void rechteAnwenden();
    void anzeigenamenSetzen();
    void rechteTitel(bool aenderbar);
    // The password the user typed; none when cancelled.
    std::optional<QString> passwortErfragen();
    struct Nachschlag;
    void nachschlagLoeschen(const Nachschlag &n);
    static Nachschlag benannterNachschlag(dbe::TTable &tabelle, const QString &feld,
                                          const QString &fahrzeugFeld, const QString &name);
    void farbenAufHauptfenster();
    void vorschauZeigen(const Farbsatz &farben);

    Farbsatz vorschau_;
};

extern TEinstellungenFormular *EinstellungenFormular;

} // namespace fleet
