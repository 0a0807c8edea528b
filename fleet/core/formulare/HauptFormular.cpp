#include "formulare/HauptFormular.h"

#include <QAction>
#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "base/Abort.h"
#include "base/DateTime.h"
#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "daten/DataModuleImport.h"
#include "daten/Einstellungswerte.h"
#include "daten/MandantDaten.h"
#include "dienste/Dienstvertraege.h"
#include "dienste/Formularzugriff.h"
#include "dienste/HauptfensterDienste.h"
#include "dienste/Protokoll.h"
#include "dienste/ReportDienste.h"
#include "dienste/TerminDienste.h"
#include "formulare/Copyright.h"
#include "formulare/EinstellungenFormular.h"
#include "formulare/HauptMenue.h"
#include "formulare/HauptNavigationsSatz.h"
#include "formulare/HilfeFormular.h"
#include "formulare/MandantenFormular.h"
#include "formulare/seiten/Bausteine.h"
#include "formulare/seiten/DispoSeite.h"
#include "formulare/seiten/KostenSeite.h"
#include "formulare/seiten/MemoSeite.h"
#include "formulare/seiten/MonatsauswertungSeite.h"
#include "formulare/seiten/ReifenSeite.h"
#include "formulare/seiten/SchadenSeite.h"
#include "formulare/seiten/StammdatenSeite.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/leiste/DBVNavigator.h"
#include "regeln/FeldBezeichnungen.h"
#include "regeln/FeldPositionen.h"
#include "regeln/Mandant.h"
#include "regeln/NurLeseModus.h"
#include "regeln/Seitenwechsel.h"
#include "ui/Clock.h"
#include "ui/Connect.h"
#include "ui/DBEdit.h"
#include "ui/DBGrid.h"
#include "ui/PageControl.h"

namespace fleet {

QString ProgrammVerzeichnis;
QString BasisTitel;
bool LeseModus = false;
bool TerminMeldungZeigen = false;
bool SucheAbgebrochen = false;
bool SpaltenpositionenZurueckgesetzt = false;
bool ImportFormularErzeugt = false, FahrerFormularErzeugt = false, ExportFormularErzeugt = false,
     MonatsauswertungAlleFahrzeugeErzeugt = false, GrafikFormularErzeugt = false,
     DispoFFFormularErzeugt = false, TextFormularErzeugt = false;
QSet<QString> SpaltenpositionenGeladen;
QSet<QString> SpaltenVerschoben;
unsigned short HeuteJahr = 0, HeuteMonat = 0, HeuteTag = 0;
QString HeuteJahrText, HeuteMonatName;
int HeuteJahrIndex = 0;
int ImportKmStand = 0;
bool NurLesen = false;
bool TourenModus = false;

THauptFormular *HauptFormular = nullptr;

THauptFormular::THauptFormular(QWidget *parent) : ui::FormBase(QStringLiteral("HauptFormular"), parent)
{
    aufbauen();
    navigationAufbauen();

    ui::on(this, &ui::FormBase::formShow, this, &THauptFormular::FormShow);
    ui::on(this, &ui::FormBase::formClose, this, &THauptFormular::FormClose);
    ui::on(PageCtrlMain, &ui::PageControl::onChanging, this, &THauptFormular::PageCtrlMainChanging);
    ui::on(PageCtrlMain, &ui::PageControl::onChange, this, &THauptFormular::PageCtrlMainChange);
    ui::on(TBitBtnEnde, &QPushButton::clicked, this, [this] { TBitBtnEndeClick(); });

    HauptFormular = this;
    HauptfensterSetzen(this);
    DetailfensterSetzen(this);
    KfzNrEingabeFreigeben(false);
    FormCreate();
}

THauptFormular::~THauptFormular()
{
    if (HauptFormular == this)
        HauptFormular = nullptr;
    if (Hauptfenster() == this)
        HauptfensterSetzen(nullptr);
    if (Detailfenster() == this)
        DetailfensterSetzen(nullptr);
}

void THauptFormular::navigationAufbauen()
{
    TDBVexarionMain = new nav::TDBVexarion(this);
    TDBVexarionMain->setObjectName(QStringLiteral("TDBVexarionMain"));
    TDBVexarionMain->SetStatusPanel(TPanelStatus);
    TDBVexarionMain->MessagePanel = TPanelMessage;
    TDBVNavMain = ui::make<nav::TDBVNavigator>(PanNavigator, "TDBVNavMain", PanNavigator);
    PanNavigator->layout()->addWidget(TDBVNavMain);
    HauptNavigationEinrichten(*TDBVexarionMain, *TDBVNavMain);

    nav::TDBVexarion &e = *TDBVexarionMain;
    e.BeforeHandleNBBtn = [this](nav::TDBVexarion &, nav::TDBVNavigateBtn &b, nav::TShiftState &, int &) {
        TDBVexarionMainBeforeHandleNBBtn(b);
    };
    e.AfterHandleNBBtn = [this](nav::TDBVexarion &, nav::TDBVNavigateBtn &b, nav::TShiftState &, int &) {
        TDBVexarionMainAfterHandleNBBtn(b);
    };
    e.OnShowMessage = [this](nav::TDBVexarion &, QString &text, ui::MsgType typ, bool &erledigt) {
        TDBVexarionMainShowMessage(text, typ, erledigt);
    };
    e.OnSpecialForm = [this](nav::TDBVexarion &, nav::TFormEventRec &r) { TDBVexarionMainSpecialForm(r); };
    e.OnSpecialFormCloseQuery = [this](QWidget *form, int typ, bool &schliessen) {
        TDBVexarionMainSpecialFormCloseQuery(form, typ, schliessen);
    };
    e.GetTblDescription = [this](const QString &tabelle, QString &beschreibung) {
        TDBVexarionMainGetTblDescription(tabelle, beschreibung);
    };
    e.OnFilterChanged = [this](nav::TDBVexarion &, dbe::TDataSet *) { TDBVexarionMainFilterChanged(); };

    navigationsSatz_ =
        std::make_unique<HauptNavigationsSatz>(*TDBVexarionMain, *TDBVNavMain, DataModule1->TTblMain);
    navigation_ = navigationsSatz_.get();
}

void THauptFormular::NavigationSetzen(HauptNavigation *navigation)
{
    navigation_ = navigation ? navigation : navigationsSatz_.get();
    TDBVNavMain->setVisible(navigation_ == navigationsSatz_.get());
}

void THauptFormular::FormCreate()
{
    ProgrammVerzeichnis = QDir::currentPath();
    TerminMeldungZeigen = true;

    MenueFreigeben();
    BasisTitel = windowTitle();
    try {
        if (MandantDatenLesen(DataModule1->TTblMain.DatabaseName(), false))
            setWindowTitle(MandantTitel(BasisTitel, MandantDaten[0], MandantDaten[1]));
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
        // A missing client record leaves the caption without suffix.
    }

    ImportFormularErzeugt = FahrerFormularErzeugt = ExportFormularErzeugt =
        MonatsauswertungAlleFahrzeugeErzeugt = GrafikFormularErzeugt = DispoFFFormularErzeugt =
            TextFormularErzeugt = false;

    PageCtrlMain->setActivePage(TabStammDaten);
    int jahr = 0, monat = 0, tag = 0;
    base::decodeDate(ui::today(), jahr, monat, tag);
    HeuteJahr = static_cast<unsigned short>(jahr);
    HeuteMonat = static_cast<unsigned short>(monat);
    HeuteTag = static_cast<unsigned short>(tag);
    HeuteJahrText = QString::number(jahr);
    HeuteMonatName = base::de::monthName(monat);
    // Past the end of the year list when today's year is not listed.
    const QStringList jahre = seiten::jahre();
    HeuteJahrIndex = jahre.indexOf(HeuteJahrText);
    if (HeuteJahrIndex < 0)
        HeuteJahrIndex = static_cast<int>(jahre.size());
    for (HauptSeite *seite : seiten_)
        seite->anfangen();
    angefangen_ = true; // a page made from now on starts by itself

    dbe::TTable &einstellungen = DataModule1->TTblEinstellungenAllgem;
    FeldBezeichnungen = FeldBezeichnungenLesen([&einstellungen](const QString &feld) {
        if (!einstellungen.Active() || einstellungen.IsEmpty())
            return QString();
        const dbe::TField *f = einstellungen.FindField(feld);
        return f ? f->AsString() : QString();
    });
    beschriftungenAnwenden();

    ImportKmStand = 0;
    // The window's size when it is not maximised, given first: a window
    // never sized would be sized from every page's contents as it is
    // maximised, and that size is not needed.
    resize(QSize(1024, 768).boundedTo(screen()->availableGeometry().size()));
    setWindowState(windowState() | Qt::WindowMaximized);
}

void THauptFormular::beschriftungenAnwenden()
{
    beschriftungen_.clear();
    for (const fleet::Beschriftung &b : Beschriftungen(FeldBezeichnungen))
        if (b.text)
            beschriftungen_.append({b.komponente, *b.text});
    beschriftungenAnwenden(*this);
}

void THauptFormular::beschriftungenAnwenden(QObject &oben)
{
    if (beschriftungen_.isEmpty())
        return;
    // The components by name, gathered in one walk through them.
    QHash<QString, QList<QObject *>> nachName;
    for (QObject *o : oben.findChildren<QObject *>())
        if (!o->objectName().isEmpty())
            nachName[o->objectName()].append(o);
    // Labels and menu items alike carry a "text" property.
    for (const auto &[komponente, text] : beschriftungen_)
        for (QObject *o : nachName.value(komponente))
            o->setProperty("text", text);
}

void THauptFormular::FormShow()
{
    gezeigt_ = true;
    // Services put in force after the window was made count too.
    MenueFreigeben();
    knoepfeFreigeben();
    navigation_->SetManageGlobalEdit(true);
    if (!NurLesen) {
        const QObject *sofort = KomponenteFinden(QStringLiteral("EinstellungenFormular"),
                                                 QStringLiteral("DBCheckBoxSchreibschutz"));
        if (sofort && sofort->property("checked").toBool())
            navigation_->ClickNavButton(nav::nbGlobalEdit);
    }
    globalEditZeigen();
}

void THauptFormular::FormClose(ui::CloseAction &)
{
    const QStringList liste =
        seitenwechsel::SpaltenZuSpeichern(SpaltenpositionenZurueckgesetzt, TourenModus, SpaltenVerschoben);
    for (const QString &tabKz : liste)
        seiten::SpaltenordnungSpeichern(tabKz);
}

void THauptFormular::TBitBtnEndeClick()
{
    if (ui::messages().question(QStringLiteral("Möchten Sie das Programm beenden")))
        close();
}

HauptSeite *THauptFormular::aktiveSeite() const
{
    for (HauptSeite *seite : seiten_)
        if (seite->tab() == PageCtrlMain->activePage())
            return seite;
    return nullptr;
}

void THauptFormular::PageCtrlMainChanging(bool &allowChange)
{
    HauptSeite *seite = aktiveSeite();
    if (!seite)
        return;
    if (!seite->verlassenErlaubt()) {
        allowChange = false;
        return;
    }
    seite->verlassen();
}

void THauptFormular::PageCtrlMainChange()
{
    PanKopfzeile->setVisible(true);
    ui::TabSheet *seite = PageCtrlMain->activePage();
    const QString name = seite->objectName();
    const bool ohneNavigator = seite == TabMonatsAuswertung || seite == TabMonatsuebersicht;
    navigation_->NavigatorFreigeben(!ohneNavigator);
    if (!ohneNavigator)
        navigation_->SetAllowKeys(
            seitenwechsel::AllowKeysNachWechsel(name, navigation_->AllowKeys(), TabStammDaten->isEnabled()));
    if (HauptSeite *aktiv = aktiveSeite())
        aktiv->betreten();
}

void THauptFormular::TBtnMonatsauswertungBerechnenClick()
{
    Monatsauswertung().Berechnen();
}

int THauptFormular::MonatsauswertungBerechnen()
{
    return Monatsauswertung().MonatsauswertungBerechnen();
}

void THauptFormular::MonatsauswertungWarnung(int code)
{
    Monatsauswertung().MonatsauswertungWarnung(code);
}

void THauptFormular::TDBVexarionMainBeforeHandleNBBtn(nav::TDBVNavigateBtn button)
{
    if (button == nav::nbGlobalEdit && NurLesen) {
        ui::messages().information(QStringLiteral("Sie haben nur Leserechte!"));
        base::abortSilently();
    }
    if (button == nav::nbTableView)
        seiten::SpaltenordnungEinmalLaden(QStringLiteral("Main"));
}

void THauptFormular::TDBVexarionMainAfterHandleNBBtn(nav::TDBVNavigateBtn button)
{
    if (button == nav::nbDupRecord) {
        ui::messages().information(QStringLiteral("Bitte geben Sie anschließend das neue Kennzeichen ein!"));
        Stammdaten().EditKfzNr->setFocus();
        Stammdaten().EditKfzNr->clear();
    } else if (button == nav::nbInsert) {
        Stammdaten().EditKfzNr->setFocus();
    }
    globalEditZeigen();
}

void THauptFormular::globalEditZeigen()
{
    LeseModus = !navigation_->GlobalEdit();
    TPaGlobalEdit->setText(LeseModus ? QStringLiteral("Lesen") : QStringLiteral("Ändern"));
    TPaGlobalEdit->setStyleSheet(LeseModus ? QStringLiteral("color: green;") : QStringLiteral("color: red;"));
    NurLeseModusSetzen(LeseModus);
    knoepfeFreigeben();
    // Global edit and the vehicle rules share the registration number's
    // read-only flag: only a new vehicle may have it written.
    if (DataModule1->TTblMain.State() != dbe::TDataSetState::dsInsert)
        KfzNrEingabeFreigeben(false);
}

void THauptFormular::TDBVexarionMainShowMessage(const QString &text, ui::MsgType type, bool &handled)
{
    if (type != ui::MsgType::Error)
        return;
    const QString meldung =
        text == QLatin1String("Indexfehler")
            ? QStringLiteral(
                  "Bitte ändern Sie das Kennzeichen dieses Fahrzeugs oder brechen Sie die Eingabe ab "
                  "(X-Symboltaste) - ein Fahrzeug mit diesem Kennzeichen ist schon vorhanden..")
            : text;
    ui::messages().error(meldung);
    handled = true;
}

void THauptFormular::TDBVexarionMainSpecialForm(nav::TFormEventRec &record)
{
    // The table view of the vehicles browses and searches; its record
    // buttons stay as the extender proposed them.
    if (record.FormType != nav::sfTableView)
        return;
    using nav::navBit;
    record.VisBtnsSearch = static_cast<nav::TSrchNavBtns>(
        navBit(nav::snbSearch) | navBit(nav::snbSearchInc) | navBit(nav::snbSearchNext) |
        navBit(nav::snbSetBookmark) | navBit(nav::snbGotoBookmark) | navBit(nav::snbActiveFilter) |
        navBit(nav::snbIndexSelect));
    record.VisBtnsMove = static_cast<nav::TMoveNavBtns>(navBit(nav::mnbFirst) | navBit(nav::mnbPrior) |
                                                        navBit(nav::mnbNext) | navBit(nav::mnbLast));
    record.VisBtnsExtend = static_cast<nav::TExtNavBtns>(navBit(nav::enbMemoView));
}

void THauptFormular::TDBVexarionMainSpecialFormCloseQuery(QWidget *form, int formType, bool &)
{
    const auto *dialog = qobject_cast<const ui::FormBase *>(form);
    SucheAbgebrochen = formType == 5 && dialog && dialog->modalResult() == ui::mrCancel;
    dbe::TTable &main = DataModule1->TTblMain;
    if (!main.IndexName().isEmpty())
        navigation_->SetTableIndex(main, QString());
}

void THauptFormular::TDBVexarionMainGetTblDescription(const QString &tableName, QString &description)
{
    if (tableName == QLatin1String("KfzStamm.db"))
        description = QStringLiteral("Stammdaten");
    else if (tableName == QLatin1String("KfzVar.db"))
        description = QStringLiteral("Variable Kosten");
}

void THauptFormular::MenueFreigeben()
{
    // A command that cannot run sits in a disabled group, so that the
    // read-only switch, which enables the editing commands by name, cannot
    // enable it either.
    for (const Menuebefehl &b : HauptMenueBefehle()) {
        if (b.art != Menuebefehl::Befehl)
            continue;
        auto *aktion = findChild<QAction *>(b.name);
        if (!aktion)
            continue;
        // Only the group changes: calling setEnabled here would overwrite
        // what the settings and the read-only switch decided for the action.
        aktion->setActionGroup(MenueSperrgrund(b).isEmpty() ? freigegeben_ : gesperrt_);
    }
}

void THauptFormular::knoepfeFreigeben()
{
    // The page buttons that open forms of the scheduling part need its
    // service; the read-only switch must not enable them without it.
    const QString grund = DienstSperrgrund(kTerminDienste);
    if (!grund.isEmpty())
        for (QPushButton *b : {BtnExtGrafik, BtnFreieFahrzeuge, BtnMonatsauswertungAlleFahrzeuge}) {
            if (!b)
                continue; // its page is not made yet; it does this when made
            b->setEnabled(false);
            b->setToolTip(grund);
        }
}

QString THauptFormular::Sperrgrund(const QString &aktion) const
{
    for (const Menuebefehl &b : HauptMenueBefehle())
        if (b.art == Menuebefehl::Befehl && b.name == aktion)
            return MenueSperrgrund(b);
    return {};
}

void THauptFormular::Mandanten1Click()
{
    if (TMandantenFormular *form = MandantenFormularBereitstellen())
        form->showModal();
}

void THauptFormular::Einstellungen1Click()
{
    if (EinstellungenFormular)
        EinstellungenFormular->showModal();
}

void THauptFormular::TankdatenImport1Click()
{
    DataModuleImportErzeugen();
    ImportFormularErzeugt = true;
    terminDienste().TankdatenImportZeigen();
}

void THauptFormular::Datenexport1Click()
{
    ExportFormularErzeugt = true;
    reportDienste().ExportFormularZeigen();
}

void THauptFormular::Copyright1Click()
{
    if (TCopyright *form = CopyrightBereitstellen())
        form->showModal();
}

void THauptFormular::Textverarbeitung1Click()
{
    // A help never opened is not made to be closed.
    if (HilfeFormular)
        HilfeFormular->close();
    try {
        terminDienste().TextFormularZeigen();
    } catch (const std::exception &fehler) {
        // Opening the editor fails quietly, as the menu item always did.
        qWarning() << fehler.what();
    }
}

void THauptFormular::ErsteSchritte1Click()
{
    HilfeThema = 1;
    if (THilfeFormular *form = HilfeFormularBereitstellen())
        form->show();
}

// ---- what the vehicle rules touch

bool THauptFormular::FahrzeugFilterAktiv() const
{
    return navigation_->FilterAktiv();
}

void THauptFormular::Filtereinaus1Click()
{
    try {
        if (PageCtrlMain->activePage() == TabDispo && Dispo().FahrzeugAuswahl() == 2) {
            Dispo().FahrzeugAuswahlSetzen(0);
            Dispo().DBGridDispo->setFocus();
        }
    } catch (const std::exception &e) {
        Verschluckt(Q_FUNC_INFO, e);
    }
    navigation_->ClickNavButton(nav::nbActiveFilter);
}

void THauptFormular::KfzNrEingabeFreigeben(bool freigeben)
{
    Stammdaten().KfzNrEingabeFreigeben(freigeben);
}

void THauptFormular::KfzNrEingabeZeigen()
{
    PageCtrlMain->setActivePage(TabStammDaten);
    Stammdaten().EditKfzNr->setFocus();
}

QString THauptFormular::NachschlagText(Nachschlagfeld feld) const
{
    return Stammdaten().NachschlagText(feld);
}

int THauptFormular::MontierteReifen() const
{
    return Reifen().MontierteReifen();
}

void THauptFormular::ReifenSeiteZeigen(int saison)
{
    Reifen().ReifenSeiteZeigen(saison);
}

void THauptFormular::ReifenLaufleistungLoeschen()
{
    Reifen().ReifenLaufleistungLoeschen();
}

void THauptFormular::ReifenLaufleistungAnzeigen()
{
    Reifen().ReifenLaufleistungAnzeigen();
}

bool THauptFormular::DispoSeiteAktiv() const
{
    return PageCtrlMain->activePage() == TabDispo;
}

void THauptFormular::DispoAuslastungAnzeigen()
{
    Dispo().AuslastungAnzeigen();
}

void THauptFormular::DispoAufAktuellesFahrzeugAlleZeitraeume()
{
    Dispo().AufAktuellesFahrzeugAlleZeitraeume();
}

ui::DBGrid *THauptFormular::Grid(const QString &name)
{
    for (int versuch = 0; versuch < 2; ++versuch) {
        for (HauptSeite *seite : seiten_)
            if (ui::DBGrid *grid = seite->rasterFinden(name))
                return grid;
        if (!AlleTeileMachen())
            break;
    }
    return nullptr;
}

int THauptFormular::KostenSicht() const
{
    return Kosten().KostenSicht();
}

void THauptFormular::KostenSichtSetzen(int sicht)
{
    Kosten().KostenSichtSetzen(sicht);
}

QString THauptFormular::KostenJahr() const
{
    return Kosten().KostenJahr();
}

template <class Komponente> Komponente *THauptFormular::komponente(const QString &name) const
{
    auto *k = findChild<Komponente *>(name);
    // Perhaps on a page not made yet (the window looks the same once made).
    if (!k && const_cast<THauptFormular *>(this)->AlleTeileMachen())
        k = findChild<Komponente *>(name);
    return k;
}

QString THauptFormular::Beschriftung(const QString &label) const
{
    const auto *l = komponente<QLabel>(label);
    return l ? l->text() : QString();
}

QString THauptFormular::AuswahlText(const QString &auswahl) const
{
    const auto *c = komponente<QComboBox>(auswahl);
    return c ? c->currentText() : QString();
}

std::optional<base::TDateTime> THauptFormular::DispoErsterTag() const
{
    return Dispo().ErsterTag();
}

std::optional<base::TDateTime> THauptFormular::DispoLetzterTag() const
{
    return Dispo().LetzterTag();
}

int THauptFormular::DispoFahrzeugAuswahl() const
{
    return Dispo().FahrzeugAuswahl();
}

void THauptFormular::DispoFahrzeugAuswahlSetzen(int auswahl)
{
    Dispo().FahrzeugAuswahlSetzen(auswahl);
}

int THauptFormular::DispoSicht() const
{
    return Dispo().Sicht();
}

void THauptFormular::DispoSichtSetzen(int sicht)
{
    Dispo().SichtSetzen(sicht);
}

void THauptFormular::TerminFortschreiben(const QString &edit)
{
    Stammdaten().TerminFortschreiben(edit);
}

void THauptFormular::DispoKnoepfeFreigeben(bool freigeben)
{
    Dispo().KnoepfeFreigeben(freigeben);
}

void THauptFormular::DispoGrafikZeitraumSetzen()
{
    Dispo().DispoGrafikZeitraumSetzen();
}

void THauptFormular::BildLeeren()
{
    Memo().BildLeeren();
}

void THauptFormular::SchadenFilterAusschalten()
{
    Schaden().SchadenFilterAusschalten();
}

void THauptFormular::LeasingPrognoseAnzeigen(const QString &text)
{
    Stammdaten().LeasingPrognoseAnzeigen(text);
}

} // namespace fleet
