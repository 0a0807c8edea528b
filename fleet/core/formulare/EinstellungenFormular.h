#pragma once

#include <functional>
#include <optional>
#include <utility>

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
class TDataSource;
class TTable;
} // namespace dbe

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
//
// Start-up builds the first three pages (rights, general and appointment
// settings: the boxes other windows read) and the tabs of all ten; the
// content of the other seven and the buttons below them come when the form
// is first shown, or by SeitenAufbauen(). Until then their pointers are null.
class TEinstellungenFormular : public ui::FormBase {
public:
    explicit TEinstellungenFormular(QWidget *parent = nullptr);

    // Builds the pages and buttons start-up left out, once; what start-up
    // gave them (colours of the preview, titles of the lookup tables) is
    // shown on them. Done by the form itself before it is first shown.
    void SeitenAufbauen();
    bool SeitenAufgebaut() const { return seitenAufgebaut_; }
    void setVisible(bool visible) override;

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

    ui::PageControl *PageCtrlEinstellungen = nullptr;
    ui::TabSheet *TabSicherheit = nullptr, *TabAllgemeineVorgaben = nullptr, *TabTerminVorgaben = nullptr,
                 *TabDesigner = nullptr, *TabDatenbank = nullptr, *TabFeldnamen = nullptr,
                 *TabFeldnamen2 = nullptr, *TabFeldnamen3 = nullptr, *TabFeldnamen4 = nullptr,
                 *TabFarbDialog = nullptr;
    QPushButton *TBitBtnSpeichern = nullptr, *BitBtnSchliessen = nullptr;

    // "Benutzerrechte"
    QGroupBox *PanRechte = nullptr;
    QLabel *LblArbeitsplatzeinstellungen = nullptr;
    ui::DBCheckBox *DBChkBoxSchreibrechte = nullptr, *DBChkBoxTerminverwaltungZeigen = nullptr,
                   *DBChkBoxNurEigeneDispo = nullptr;
    QPushButton *TBtnPassword = nullptr, *TBtnNeuesPasswort = nullptr;
    // "Allgemeine Vorgaben" and "Terminvorgaben"
    ui::DBCheckBox *DBCheckBoxSchreibschutz = nullptr, *DBCheckBoxLeasing = nullptr,
                   *DBCheckBoxTermine = nullptr, *DBChkBoxFarblicheInfos = nullptr;
    // "Report-Designer"
    QComboBox *ComboBoxDesigner = nullptr;
    QPushButton *SpeedBtnDesignerMonatsuebersicht = nullptr;
    // "Datenbank"
    QLabel *LblNachschlagetabGruppe = nullptr, *LblNachschlagetabKostenstelle = nullptr;
    ui::DBGrid *DBGridGruppe = nullptr, *DBGridKostenstelle = nullptr, *DBGridLeasing = nullptr,
               *DBGridReifentyp = nullptr;
    QPushButton *BitBtnGruppeLoeschen = nullptr, *BitBtnKostenstelleLoeschen = nullptr,
                *BitBtnLeasinggesellschaftLoeschen = nullptr, *BitBtnReifentypLoeschen = nullptr,
                *BtnTabAnsichtReset = nullptr;
    // "Farb-Dialog"
    QFrame *PanFarbdialogKopfzeile = nullptr, *PanFarbdialogFahrzeugStammdaten = nullptr;
    ui::DBEdit *DBEditFarbdialogKopfzeileKfznr = nullptr, *EditFarbdialogKfzNr = nullptr,
               *EditFarbdialogFeldMarkiert = nullptr;
    QPushButton *BtnFarbdialogReset = nullptr;

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
    void knoepfeAufbauen();
    void nachschlagRasterBinden();
    void klick(QPushButton *knopf, void (TEinstellungenFormular::*handler)());
    void verbinden();
    void seitenVerbinden();

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
    void vorschauFaerben();
    // Whether the highlight box of a master-data field is ticked.
    bool markiert(const QString &flagge) const;

    Farbsatz vorschau_;
    // The preview shows vorschau_ (start-up coloured it).
    bool vorschauGefaerbt_ = false;
    // The titles start-up gave the lookup tables of groups and cost centres.
    std::optional<std::pair<QString, QString>> nachschlagTitel_;
    bool seitenAufgebaut_ = false;
    // Grids of the lookup tables not yet bound to their table.
    QList<std::pair<ui::DBGrid *, dbe::TDataSource *>> nachschlagQuellen_;
};

extern TEinstellungenFormular *EinstellungenFormular;

} // namespace fleet
