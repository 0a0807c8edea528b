#pragma once

#include <memory>

#include <QSet>
#include <QString>

#include "dienste/DetailFensterZugriff.h"
#include "dienste/HauptFormularZugriff.h"
#include "navigation/NavigateBtn.h"
#include "ui/FormBase.h"
#include "ui/Messages.h"

class QAction;
class QLabel;
class QMenuBar;
class QPushButton;
class QVBoxLayout;

namespace dbe {
class TDataSource;
class TTable;
} // namespace dbe

namespace ui {
class ComboBox;
class DatePicker;
class DBEdit;
class DBGrid;
class DBLookupComboBox;
class DBMemo;
class DBRadioGroup;
class CheckBox;
class PageControl;
class RadioGroup;
class TabSheet;
} // namespace ui

namespace fleet {

class HauptNavigation;

// State of the main window's unit, read by other parts of the program.
extern QString ProgrammVerzeichnis;
extern QString BasisTitel;
extern bool LeseModus;
extern bool TerminMeldungZeigen;
extern bool SucheAbgebrochen;
extern bool SpaltenpositionenZurueckgesetzt;
extern bool ImportFormularErzeugt, FahrerFormularErzeugt, ExportFormularErzeugt,
    MonatsauswertungAlleFahrzeugeErzeugt, GrafikFormularErzeugt, DispoFFFormularErzeugt, TextFormularErzeugt;
// Column orders applied in this run, and grids whose columns were moved (by TabKz).
extern QSet<QString> SpaltenpositionenGeladen;
extern QSet<QString> SpaltenVerschoben;
// Today, split when the window is created.
extern unsigned short HeuteJahr, HeuteMonat, HeuteTag;
extern QString HeuteJahrText, HeuteMonatName;
extern int HeuteJahrIndex;
extern int ImportKmStand;

// The main window: one vehicle is current, its master data and its detail
// tables are shown on ten pages.
class THauptFormular : public ui::FormBase, public HauptFormularZugriff, public DetailFensterZugriff {
public:
    explicit THauptFormular(QWidget *parent = nullptr);
    ~THauptFormular() override;

    // The extender and navigator bar of the window (a simple bar of its own
    // until another is put in its place).
    HauptNavigation &Navigation() const { return *navigation_; }
    void NavigationSetzen(HauptNavigation *navigation);

    // Handlers.
    void FormCreate();
    void FormShow();
    void FormClose(ui::CloseAction &action);
    void TBitBtnEndeClick();
    void PageCtrlMainChanging(bool &allowChange);
    void PageCtrlMainChange();
    void TDBVexarionMainBeforeHandleNBBtn(nav::TDBVNavigateBtn button);
    void TDBVexarionMainAfterHandleNBBtn(nav::TDBVNavigateBtn button);
    void TDBVexarionMainShowMessage(const QString &text, ui::MsgType type, bool &handled);
    void TDBVexarionMainSpecialFormCloseQuery(QWidget *form, int formType, bool &canClose);
    void TDBVexarionMainGetTblDescription(const QString &tableName, QString &description);
    void Copyright1Click();
    void ErsteSchritte1Click();

    // What the vehicle rules touch.
    bool FahrzeugFilterAktiv() const override;
    void Filtereinaus1Click() override;
    void KfzNrEingabeFreigeben(bool freigeben) override;
    void KfzNrEingabeZeigen() override;
    QString NachschlagText(Nachschlagfeld feld) const override;
    int MontierteReifen() const override;
    void ReifenSeiteZeigen(int saison) override;
    void ReifenLaufleistungLoeschen() override;
    void ReifenLaufleistungAnzeigen() override;
    bool DispoSeiteAktiv() const override;
    void DispoAuslastungAnzeigen() override;
    void DispoAufAktuellesFahrzeugAlleZeitraeume() override;
    void BildLeeren() override;
    void SchadenFilterAusschalten() override;
    void LeasingPrognoseAnzeigen(const QString &text) override;

    // What the detail and dispatch rules touch (DispoAuslastungAnzeigen above
    // serves both).
    ui::DBGrid *Grid(const QString &name) override;
    int KostenSicht() const override;
    void KostenSichtSetzen(int sicht) override;
    QString KostenJahr() const override;
    QString Beschriftung(const QString &label) const override;
    void TerminFortschreiben(const QString &edit) override;
    QString AuswahlText(const QString &auswahl) const override;
    std::optional<base::TDateTime> DispoErsterTag() const override;
    std::optional<base::TDateTime> DispoLetzterTag() const override;
    int DispoFahrzeugAuswahl() const override;
    void DispoFahrzeugAuswahlSetzen(int auswahl) override;
    int DispoSicht() const override;
    void DispoSichtSetzen(int sicht) override;
    void DispoKnoepfeFreigeben(bool freigeben) override;
    void DispoGrafikZeitraumSetzen() override;

    // Components (object names as the system names them).
    QMenuBar *MainMenu;
    QAction *Mandanten1, *Copyright1, *Beenden1, *ErsteSchritte1;
    QWidget *PanKopfzeile;
    ui::DBEdit *DBEditKopfzeileKfznr, *DBEditKopfzeileInfo, *DBEditKopfzeileGruppe, *DBEditKopfzeileStandort,
        *DBEditKopfzeileKm;
    QLabel *LblKopfzeileGruppe, *LblKopfzeileKostenstelle;
    QWidget *PanNavigator; // the navigator bar's place
    QLabel *TPanelStatus, *TPanelMessage, *TPanelFilter, *TPaGlobalEdit, *TPanMemoLED;
    QPushButton *TBitBtnEnde;
    ui::PageControl *PageCtrlMain;
    ui::TabSheet *TabStammDaten, *TabMemo, *TabTouren, *TabKosten, *TabMonatsAuswertung, *TabMonatsuebersicht,
        *TabReifen, *TabHistorie, *TabSchadensmanagement, *TabDispo;
    // Master data.
    ui::DBEdit *EditKfzNr;
    ui::DBLookupComboBox *DBLkpCmbBoxGruppe, *DBLkpCmbBoxStandort, *DBLkpCmbBoxFahrer,
        *DBLkCmbBoxNameLeasinggesellschaft;
    QLabel *LblVorausLsEndKmStand;
    ui::RadioGroup *RadioGrpDrucken;
    // Memo and documents.
    ui::PageControl *PageCtrlMemoBild;
    ui::TabSheet *TabMemoMemo, *TabMemoBild;
    ui::DBMemo *EditDBMemo;
    ui::DBGrid *DBGridBildinformationen;
    QLabel *ImgBild, *PanBild;
    // Detail grids.
    ui::DBGrid *TDBGridTouren, *TDBGridVarKosten, *DBGridMonatsuebersicht, *DBGridHistorie,
        *DBGridSchadensmanagement, *DBGridDispo;
    // Period and view controls of the pages.
    ui::RadioGroup *RadioGrpKostenSicht, *RadioGrpSicht, *RadioGrpDispositionSicht, *RadioGrpDispoFahrzeuge;
    ui::ComboBox *CmbBoxKostenMonat, *CmbBoxKostenJahr, *CmbBoxMonatsauswertungMonat,
        *CmbBoxMonatsauswertungJahr, *ComboBoxJahr, *CmbBoxDispositionMonat, *CmbBoxDispositionJahr;
    ui::DatePicker *DateTimePckDisposition, *DateTimePckDispositionBis;
    ui::CheckBox *CheckBoxGrafik, *ChkBoxSchadenFilter;
    QLabel *LblWarnmeldung2, *LblAuslastung, *LblSichtFilter, *LblDispositionWelcheFahrzeuge;
    QPushButton *TBtnMonatsauswertungBerechnen;
    // Tyres.
    ui::DBRadioGroup *DBRadioGrpReifen;
    ui::PageControl *PageCtrlReifen;
    ui::TabSheet *TabSheetSommerReifen, *TabSheetWinterReifen;

    void TBtnMonatsauswertungBerechnenClick();

private:
    void aufbauen();
    QWidget *kopfzeileAufbauen();
    void stammdatenAufbauen();
    void memoAufbauen();
    void detailSeitenAufbauen();
    void reifenAufbauen(ui::TabSheet *seite, const QString &saison);
    void auswertungAufbauen();
    void dispoAufbauen();
    void spaltenordnungEinmal(const QString &tabKz);
    void beschriftungenAnwenden();
    void globalEditZeigen();
    dbe::TTable *einfuegeTabelle(const QString &name) const;

    std::unique_ptr<HauptNavigation> eigeneNavigation_;
    HauptNavigation *navigation_ = nullptr;
};

// The one instance, created second by the program body.
extern THauptFormular *HauptFormular;

} // namespace fleet
