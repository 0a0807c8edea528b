#pragma once

#include <memory>
#include <vector>

#include <QSet>
#include <QString>

#include "dienste/DetailFensterZugriff.h"
#include "dienste/Formularzugriff.h"
#include "dienste/HauptFormularZugriff.h"
#include "navigation/filter/FilterRecords.h"
#include "navigation/leiste/NavigateBtn.h"
#include "ui/FormBase.h"
#include "ui/Messages.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenuBar;
class QPushButton;
class QVBoxLayout;

namespace dbe {
class TDataSource;
class TTable;
} // namespace dbe

namespace nav {
class TDBVexarion;
class TDBVNavigator;
struct TFormEventRec;
} // namespace nav

namespace ui {
class DBEdit;
class DBGrid;
class PageControl;
class TabSheet;
} // namespace ui

namespace fleet {

class HauptNavigation;
class HauptSeite;
class StammdatenSeite;
class MemoSeite;
class RasterSeite;
class HistorieSeite;
class TourenSeite;
class KostenSeite;
class MonatsauswertungSeite;
class MonatsuebersichtSeite;
class ReifenSeite;
class SchadenSeite;
class DispoSeite;

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
// tables are shown on ten pages. The master-data page is made with the
// window, every other page when it is first shown or asked for.
class THauptFormular : public ui::FormBase,
                       public HauptFormularZugriff,
                       public DetailFensterZugriff,
                       public TeileBeiBedarf {
public:
    explicit THauptFormular(QWidget *parent = nullptr);
    ~THauptFormular() override;

    // The extender and navigator bar of the window as the window uses them;
    // tests may put another in their place (nullptr: the window's own again).
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
    void TDBVexarionMainSpecialForm(nav::TFormEventRec &record);
    void TDBVexarionMainFilterChanged();
    void TDBVexarionMainSpecialFormCloseQuery(QWidget *form, int formType, bool &canClose);
    void TDBVexarionMainGetTblDescription(const QString &tableName, QString &description);
    void Mandanten1Click();
    void Einstellungen1Click();
    void Copyright1Click();
    void ErsteSchritte1Click();
    void TankdatenImport1Click();
    // "KARVEN Text": closes the help, then the letter editor of the scheduling part.
    void Textverarbeitung1Click();
    void Datenexport1Click();

    // The menu's commands (HauptFormularMenue.cpp).
    void BearbeitenMenueAktualisieren();
    void Ausschneiden1Click();
    void Kopieren1Click();
    void Einfgen1Click();
    void Suchen1Click();
    void Weitersuchen1Click();
    void InkrSucheneinaus1Click();
    void Lesezeichensetzen1Click();
    void Lesezeichenverwaltung1Click();
    void Info1Click() { FahrzeugFilterClick(QStringLiteral("Info1")); }
    void Gruppe1Click() { FahrzeugFilterClick(QStringLiteral("Gruppe1")); }
    void KoststStandort1Click() { FahrzeugFilterClick(QStringLiteral("KoststStandort1")); }
    void AlleLeasingfahrzeuge1Click() { FahrzeugFilterClick(QStringLiteral("AlleLeasingfahrzeuge1")); }
    void KeineLeasingfahrzeuge1Click() { FahrzeugFilterClick(QStringLiteral("KeineLeasingfahrzeuge1")); }
    void Leasinggesellschaft1Click() { FahrzeugFilterClick(QStringLiteral("Leasinggesellschaft1")); }
    // Applies the first rows of FilterBedingung to the vehicles; false (the
    // filter removed again, the user told) when no vehicle is left.
    bool FahrzeugFilterAnwenden(int anzahl);
    void TPanelFilterClick();
    void Terminverwaltung1Click();
    void Fahrzeugvergleich1Click();
    void FuhrparkKostenErtrag1Click();
    void Tourenauswertung2Click();
    void Handbuch1Click();
    void Fahrer1Click();
    void BtnExtGrafikClick();
    void BtnFreieFahrzeugeClick();
    void BtnMonatsauswertungAlleFahrzeugeClick();

    // Row 0 of the menu filter in force and its caption for the filter panel.
    nav::TFilterDefinition FilterBedingung;
    QString FilterBezeichnung;

    // The menu commands (and the evaluation button) enabled where they can run
    // (HauptMenue.h); the reason
    // why a command (by object name) is disabled, empty when it is enabled.
    void MenueFreigeben();
    QString Sperrgrund(const QString &aktion) const;

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

    // The pages, each owning its controls; a page not made yet is made.
    StammdatenSeite &Stammdaten() const { return seite(stammdaten_, TabStammDaten); }
    MemoSeite &Memo() const { return seite(memo_, TabMemo); }
    TourenSeite &Touren() const { return seite(touren_, TabTouren); }
    KostenSeite &Kosten() const { return seite(kosten_, TabKosten); }
    MonatsauswertungSeite &Monatsauswertung() const { return seite(auswertung_, TabMonatsAuswertung); }
    MonatsuebersichtSeite &Monatsuebersicht() const { return seite(uebersicht_, TabMonatsuebersicht); }
    // The monthly evaluation of the current vehicle for the period of the
    // page's lists, whether or not the page is shown; a code above 0 warns.
    int MonatsauswertungBerechnen();
    void MonatsauswertungWarnung(int code);
    ReifenSeite &Reifen() const { return seite(reifen_, TabReifen); }
    HistorieSeite &Historie() const { return seite(historie_, TabHistorie); }
    SchadenSeite &Schaden() const { return seite(schaden_, TabSchadensmanagement); }
    DispoSeite &Dispo() const { return seite(dispo_, TabDispo); }

    // Every page made with the window instead of on demand, for windows made
    // from now on: a test compares the pages made late with these.
    static void SeitenSofortMachen(bool sofort);

    // The pages made on demand (HauptFormularSeiten.cpp).
    QObject *GemachteKomponente(const QString &name) const override;
    bool AlleTeileMachen() override;
    void Vormerken(const QString &name, const QString &eigenschaft,
                   const std::function<void(QObject &)> &einstellen) override;

    // Components of the window itself (object names as the system names them).
    QMenuBar *MainMenu;
    QAction *Mandanten1, *Copyright1, *Beenden1, *ErsteSchritte1;
    // Buttons of the dispatch and the evaluation page; null until the page is made.
    QPushButton *BtnExtGrafik = nullptr, *BtnFreieFahrzeuge = nullptr,
                *BtnMonatsauswertungAlleFahrzeuge = nullptr;
    QWidget *PanKopfzeile;
    ui::DBEdit *DBEditKopfzeileKfznr, *DBEditKopfzeileInfo, *DBEditKopfzeileGruppe, *DBEditKopfzeileStandort,
        *DBEditKopfzeileKm;
    QLabel *LblKopfzeileGruppe, *LblKopfzeileKostenstelle;
    QWidget *PanNavigator; // the navigator bar's place
    nav::TDBVexarion *TDBVexarionMain = nullptr;
    nav::TDBVNavigator *TDBVNavMain = nullptr;
    QLabel *TPanelStatus, *TPanelMessage, *TPanelFilter, *TPaGlobalEdit, *TPanMemoLED;
    QPushButton *TBitBtnEnde;
    ui::PageControl *PageCtrlMain;
    ui::TabSheet *TabStammDaten, *TabMemo, *TabTouren, *TabKosten, *TabMonatsAuswertung, *TabMonatsuebersicht,
        *TabReifen, *TabHistorie, *TabSchadensmanagement, *TabDispo;

    void TBtnMonatsauswertungBerechnenClick();

private:
    void aufbauen();
    void menueAufbauen();
    QWidget *kopfzeileAufbauen();
    void seitenAufbauen();
    HauptSeite *aktiveSeite() const;
    // The page on that tab, made if need be.
    template <class Seite> Seite &seite(Seite *const &platz, ui::TabSheet *tab) const
    {
        if (!platz)
            const_cast<THauptFormular *>(this)->seiteMachen(tab); // the window looks the same
        return *platz;
    }
    void seiteMachen(ui::TabSheet *tab);
    // A component of the window by name, its pages made if need be.
    template <class Komponente> Komponente *komponente(const QString &name) const;
    HauptSeite *neueSeite(ui::TabSheet *tab);
    void seiteEinrichten(HauptSeite &seite);
    void vorgemerkteAnwenden();
    void beschriftungenAnwenden();
    void beschriftungenAnwenden(QObject &oben);
    void globalEditZeigen();
    void navigationAufbauen();
    void FahrzeugFilterClick(const QString &aktion);
    void AuswertungFilterUebergeben();
    void knoepfeFreigeben();
    void filterPanelVerbinden();

    std::unique_ptr<HauptNavigation> navigationsSatz_;
    HauptNavigation *navigation_ = nullptr;
    StammdatenSeite *stammdaten_ = nullptr;
    MemoSeite *memo_ = nullptr;
    TourenSeite *touren_ = nullptr;
    KostenSeite *kosten_ = nullptr;
    MonatsauswertungSeite *auswertung_ = nullptr;
    MonatsuebersichtSeite *uebersicht_ = nullptr;
    ReifenSeite *reifen_ = nullptr;
    HistorieSeite *historie_ = nullptr;
    SchadenSeite *schaden_ = nullptr;
    DispoSeite *dispo_ = nullptr;
    std::vector<HauptSeite *> seiten_; // the pages made, in the order made
    bool angefangen_ = false;          // FormCreate has set the pages made then
    bool gezeigt_ = false;             // FormShow has run
    // The captions FormCreate applied, for the pages made later.
    QList<std::pair<QString, QString>> beschriftungen_;
    struct Vormerkung {
        QString name, eigenschaft;
        std::function<void(QObject &)> einstellen;
    };
    std::vector<Vormerkung> vorgemerkt_;
    bool vormerkungenLaufen_ = false;
    static bool seitenSofort_;
    QActionGroup *gesperrt_ = nullptr;    // disabled: the commands that cannot run
    QActionGroup *freigegeben_ = nullptr; // enabled: each command's own value decides
};

// The one instance, created second by the program body.
extern THauptFormular *HauptFormular;

} // namespace fleet
