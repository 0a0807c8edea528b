#include "formulare/HauptFormular.h"

#include <cmath>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>

#include "base/Abort.h"
#include "base/DateTime.h"
#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "daten/MandantDaten.h"
#include "dienste/Formularzugriff.h"
#include "dienste/HauptfensterDienste.h"
#include "dienste/TerminDienste.h"
#include "formulare/Copyright.h"
#include "formulare/HauptNavigationsLeiste.h"
#include "formulare/HilfeFormular.h"
#include "regeln/FeldBezeichnungen.h"
#include "regeln/FeldPositionen.h"
#include "regeln/Mandant.h"
#include "regeln/NurLeseModus.h"
#include "regeln/Seitenwechsel.h"
#include "ui/CheckBox.h"
#include "ui/Clock.h"
#include "ui/ComboBox.h"
#include "ui/Connect.h"
#include "ui/DBEdit.h"
#include "ui/DBGrid.h"
#include "ui/DBLookupComboBox.h"
#include "ui/DBMemo.h"
#include "ui/DBRadioGroup.h"
#include "ui/DatePicker.h"
#include "ui/PageControl.h"
#include "ui/RadioGroup.h"

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
QString DispoAuslastungText = QStringLiteral("n.v.");
bool NurLesen = false;
bool TourenModus = false;

THauptFormular *HauptFormular = nullptr;

namespace {

// The stored column orders of FeldPos.db, unless another keeper is in force.
class GespeicherteSpalten : public Spaltenordnung {
public:
    bool FeldPositionenLaden(const QString &tabKz) override { return fleet::FeldPositionenLaden(tabKz); }
    bool FeldPositionenSpeichern(const QString &tabKz) override
    {
        return fleet::FeldPositionenSpeichern(tabKz);
    }
};

Spaltenordnung &spaltenordnung()
{
    static GespeicherteSpalten gespeichert;
    return Dienst<Spaltenordnung>::vorhanden() ? Dienst<Spaltenordnung>::aktuell() : gespeichert;
}

const QString kKfzNrHinweis =
    QStringLiteral("Das Kennzeichen kann nur bei einem neuen Fahrzeug eingegeben werden");

} // namespace

THauptFormular::THauptFormular(QWidget *parent) : ui::FormBase(QStringLiteral("HauptFormular"), parent)
{
    aufbauen();
    HauptNavigationsLeiste::Ereignisse ereignisse;
    ereignisse.vorher = [this](nav::TDBVNavigateBtn b) { TDBVexarionMainBeforeHandleNBBtn(b); };
    ereignisse.nachher = [this](nav::TDBVNavigateBtn b) { TDBVexarionMainAfterHandleNBBtn(b); };
    ereignisse.meldung = [this](const QString &t, ui::MsgType typ, bool &erledigt) {
        TDBVexarionMainShowMessage(t, typ, erledigt);
    };
    auto leiste =
        std::make_unique<HauptNavigationsLeiste>(DataModule1->TDataSrcMain, ereignisse, PanNavigator);
    PanNavigator->layout()->addWidget(leiste.get());
    navigation_ = leiste.get();
    eigeneNavigation_ = std::move(leiste);

    ui::on(this, &ui::FormBase::formShow, this, &THauptFormular::FormShow);
    ui::on(this, &ui::FormBase::formClose, this, &THauptFormular::FormClose);
    ui::on(PageCtrlMain, &ui::PageControl::onChanging, this, &THauptFormular::PageCtrlMainChanging);
    ui::on(PageCtrlMain, &ui::PageControl::onChange, this, &THauptFormular::PageCtrlMainChange);
    ui::on(TBitBtnEnde, &QPushButton::clicked, this, [this] { TBitBtnEndeClick(); });
    ui::on(Beenden1, &QAction::triggered, this, [this] { TBitBtnEndeClick(); });
    ui::on(Copyright1, &QAction::triggered, this, [this] { Copyright1Click(); });
    ui::on(ErsteSchritte1, &QAction::triggered, this, [this] { ErsteSchritte1Click(); });
    ui::on(TBtnMonatsauswertungBerechnen, &QPushButton::clicked, this,
           [this] { TBtnMonatsauswertungBerechnenClick(); });
    const auto verschoben = [this](ui::DBGrid *grid, const QString &tabKz) {
        ui::on(grid, &ui::DBGrid::onColumnMoved, this, [tabKz] { SpaltenVerschoben.insert(tabKz); });
    };
    verschoben(TDBGridTouren, QStringLiteral("Touren"));
    verschoben(TDBGridVarKosten, QStringLiteral("Varkost"));
    verschoben(DBGridHistorie, QStringLiteral("Histo"));
    verschoben(DBGridSchadensmanagement, QStringLiteral("Schaden"));
    verschoben(DBGridDispo, QStringLiteral("Dispo"));

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

void THauptFormular::NavigationSetzen(HauptNavigation *navigation)
{
    navigation_ = navigation ? navigation : eigeneNavigation_.get();
    if (auto *leiste = dynamic_cast<QWidget *>(eigeneNavigation_.get()))
        leiste->setVisible(navigation_ == eigeneNavigation_.get());
}

void THauptFormular::FormCreate()
{
    ProgrammVerzeichnis = QDir::currentPath();
    TerminMeldungZeigen = true;

    Mandanten1->setEnabled(true);
    BasisTitel = windowTitle();
    try {
        if (MandantDatenLesen(DataModule1->TTblMain.DatabaseName(), false))
            setWindowTitle(MandantTitel(BasisTitel, MandantDaten[0], MandantDaten[1]));
    } catch (const std::exception &) {
        // A missing client record leaves the caption without suffix.
    }

    ImportFormularErzeugt = FahrerFormularErzeugt = ExportFormularErzeugt =
        MonatsauswertungAlleFahrzeugeErzeugt = GrafikFormularErzeugt = DispoFFFormularErzeugt =
            TextFormularErzeugt = false;

    PageCtrlMain->setActivePage(TabStammDaten);
    for (ui::RadioGroup *r :
         {RadioGrpSicht, RadioGrpKostenSicht, RadioGrpDispositionSicht, RadioGrpDispoFahrzeuge})
        r->setItemIndex(0);
    CheckBoxGrafik->setChecked(false);
    ChkBoxSchadenFilter->setChecked(false);

    int jahr = 0, monat = 0, tag = 0;
    const base::TDateTime heute = ui::today();
    base::decodeDate(heute, jahr, monat, tag);
    HeuteJahr = static_cast<unsigned short>(jahr);
    HeuteMonat = static_cast<unsigned short>(monat);
    HeuteTag = static_cast<unsigned short>(tag);
    HeuteJahrText = QString::number(jahr);
    HeuteMonatName = base::de::monthName(monat);
    HeuteJahrIndex = ComboBoxJahr->findText(HeuteJahrText, Qt::MatchExactly);
    if (HeuteJahrIndex < 0)
        HeuteJahrIndex = ComboBoxJahr->count();
    // An index past the list selects nothing.
    const int jahrIndex = HeuteJahrIndex < ComboBoxJahr->count() ? HeuteJahrIndex : -1;
    for (ui::ComboBox *c :
         {ComboBoxJahr, CmbBoxMonatsauswertungJahr, CmbBoxKostenJahr, CmbBoxDispositionJahr})
        c->setItemIndex(jahrIndex);
    for (ui::ComboBox *c : {CmbBoxKostenMonat, CmbBoxMonatsauswertungMonat, CmbBoxDispositionMonat})
        c->setItemIndex(HeuteMonat - 1);
    DateTimePckDisposition->setValue(heute);
    DateTimePckDispositionBis->setValue(heute);

    dbe::TTable &einstellungen = DataModule1->TTblEinstellungenAllgem;
    FeldBezeichnungen = FeldBezeichnungenLesen([&einstellungen](const QString &feld) {
        if (!einstellungen.Active() || einstellungen.IsEmpty())
            return QString();
        const dbe::TField *f = einstellungen.FindField(feld);
        return f ? f->AsString() : QString();
    });
    beschriftungenAnwenden();

    RadioGrpDrucken->setItemIndex(0);
    ImportKmStand = 0;
    setWindowState(windowState() | Qt::WindowMaximized);
}

void THauptFormular::beschriftungenAnwenden()
{
    for (const fleet::Beschriftung &b : Beschriftungen(FeldBezeichnungen)) {
        if (!b.text)
            continue;
        // Labels and menu items alike carry a "text" property.
        for (QObject *o : findChildren<QObject *>(b.komponente))
            o->setProperty("text", *b.text);
    }
}

void THauptFormular::FormShow()
{
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
        spaltenordnung().FeldPositionenSpeichern(tabKz);
}

void THauptFormular::TBitBtnEndeClick()
{
    if (ui::messages().question(QStringLiteral("Möchten Sie das Programm beenden")))
        close();
}

dbe::TTable *THauptFormular::einfuegeTabelle(const QString &name) const
{
    for (dbe::TTable *t : DataModule1->AlleTabellen())
        if (t->Name() == name)
            return t;
    return nullptr;
}

void THauptFormular::PageCtrlMainChanging(bool &allowChange)
{
    const QString seite = PageCtrlMain->activePage()->objectName();
    const dbe::TTable *tabelle = einfuegeTabelle(seitenwechsel::EinfuegeTabelle(seite));
    if (tabelle && tabelle->State() == dbe::TDataSetState::dsInsert) {
        ui::messages().warning(seitenwechsel::VerlassenMeldung(seite));
        allowChange = false;
        return;
    }
    if (PageCtrlMain->activePage() == TabDispo && Dienst<TerminDienste>::vorhanden()) {
        // The dispatch forms live only with their page; failures to close are of no concern.
        try {
            if (DispoFFFormularErzeugt)
                terminDienste().FreieFahrzeugeSchliessen();
        } catch (const std::exception &) {
        }
        try {
            if (GrafikFormularErzeugt)
                terminDienste().GrafikSchliessen();
        } catch (const std::exception &) {
        }
    }
}

void THauptFormular::spaltenordnungEinmal(const QString &tabKz)
{
    if (SpaltenpositionenGeladen.contains(tabKz))
        return;
    spaltenordnung().FeldPositionenLaden(tabKz);
    SpaltenpositionenGeladen.insert(tabKz);
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
    const bool seitendienste = Dienst<Seitendienste>::vorhanden();

    if (seite == TabMemo) {
        PageCtrlMemoBild->setActivePage(TabMemoMemo);
        EditDBMemo->setFocus();
    } else if (seite == TabTouren) {
        spaltenordnungEinmal(QStringLiteral("Touren"));
        if (!TourenModus)
            ui::messages().warning(QStringLiteral(
                "Eingaben in die Tourentabelle werden zur Zeit nicht zur Kilometerberechnung in der "
                "Monatsauswertung "
                "benutzt.\rÄndern Sie hierzu erst wieder im Einstellungen-Formular (Menü Optionen -> "
                "Einstellungen) "
                "auf der Seite \"Allgemeine Vorgaben\" das Schaltfeld \"Mon. Km-Berechnung anhand\" auf "
                "\"Touren\".\rStarten Sie bitte anschließend das Programm neu ! !"));
        TDBGridTouren->setFocus();
    } else if (seite == TabKosten) {
        spaltenordnungEinmal(QStringLiteral("Varkost"));
        TDBGridVarKosten->setFocus();
    } else if (seite == TabMonatsAuswertung) {
        if (RadioGrpKostenSicht->itemIndex() != 0)
            RadioGrpKostenSicht->setItemIndex(0);
        LblWarnmeldung2->hide();
        TBtnMonatsauswertungBerechnenClick();
    } else if (seite == TabMonatsuebersicht) {
        if (seitendienste)
            Dienst<Seitendienste>::aktuell().MonatsuebersichtAnzeigen();
        DBGridMonatsuebersicht->setFocus();
    } else if (seite == TabReifen) {
        ReifenLaufleistungLoeschen();
        ReifenLaufleistungAnzeigen();
    } else if (seite == TabHistorie) {
        spaltenordnungEinmal(QStringLiteral("Histo"));
        DBGridHistorie->setFocus();
    } else if (seite == TabSchadensmanagement) {
        spaltenordnungEinmal(QStringLiteral("Schaden"));
        DBGridSchadensmanagement->setFocus();
    } else if (seite == TabDispo) {
        if (RadioGrpDispoFahrzeuge->itemIndex() != 0)
            RadioGrpDispoFahrzeuge->setItemIndex(0);
        if (!SpaltenpositionenGeladen.contains(QStringLiteral("Dispo"))) {
            spaltenordnungEinmal(QStringLiteral("Dispo"));
            DBGridDispo->setSelectedIndex(1);
            DBGridDispo->setSelectedIndex(0);
        }
        DispoAuslastungAnzeigen();
        DBGridDispo->setFocus();
        DBGridDispo->setSelectedIndex(0);
    }
}

void THauptFormular::TBtnMonatsauswertungBerechnenClick()
{
    if (!Dienst<Seitendienste>::vorhanden())
        return;
    const int code = Dienst<Seitendienste>::aktuell().MonatsauswertungBerechnen();
    if (code > 0)
        Dienst<Seitendienste>::aktuell().MonatsauswertungWarnung(code);
}

void THauptFormular::TDBVexarionMainBeforeHandleNBBtn(nav::TDBVNavigateBtn button)
{
    if (button == nav::nbGlobalEdit && NurLesen) {
        ui::messages().information(QStringLiteral("Sie haben nur Leserechte!"));
        base::abortSilently();
    }
    if (button == nav::nbTableView)
        spaltenordnungEinmal(QStringLiteral("Main"));
}

void THauptFormular::TDBVexarionMainAfterHandleNBBtn(nav::TDBVNavigateBtn button)
{
    if (button == nav::nbDupRecord) {
        ui::messages().information(QStringLiteral("Bitte geben Sie anschließend das neue Kennzeichen ein!"));
        EditKfzNr->setFocus();
        EditKfzNr->clear();
    } else if (button == nav::nbInsert) {
        EditKfzNr->setFocus();
    }
    globalEditZeigen();
}

void THauptFormular::globalEditZeigen()
{
    LeseModus = !navigation_->GlobalEdit();
    TPaGlobalEdit->setText(LeseModus ? QStringLiteral("Lesen") : QStringLiteral("Ändern"));
    TPaGlobalEdit->setStyleSheet(LeseModus ? QStringLiteral("color: green;") : QStringLiteral("color: red;"));
    NurLeseModusSetzen(LeseModus);
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

void THauptFormular::Copyright1Click()
{
    if (Copyright)
        Copyright->showModal();
}

void THauptFormular::ErsteSchritte1Click()
{
    HilfeThema = 1;
    if (HilfeFormular)
        HilfeFormular->show();
}

// ---- what the vehicle rules touch

bool THauptFormular::FahrzeugFilterAktiv() const
{
    return navigation_->FilterAktiv();
}

void THauptFormular::Filtereinaus1Click()
{
    try {
        if (PageCtrlMain->activePage() == TabDispo && RadioGrpDispoFahrzeuge->itemIndex() == 2) {
            RadioGrpDispoFahrzeuge->setItemIndex(0);
            DBGridDispo->setFocus();
        }
    } catch (const std::exception &) {
    }
    navigation_->ClickNavButton(nav::nbActiveFilter);
}

void THauptFormular::KfzNrEingabeFreigeben(bool freigeben)
{
    EditKfzNr->setDataReadOnly(!freigeben);
    EditKfzNr->setToolTip(freigeben ? QString() : kKfzNrHinweis);
}

void THauptFormular::KfzNrEingabeZeigen()
{
    PageCtrlMain->setActivePage(TabStammDaten);
    EditKfzNr->setFocus();
}

QString THauptFormular::NachschlagText(Nachschlagfeld feld) const
{
    switch (feld) {
    case Nachschlagfeld::Gruppe:
        return DBLkpCmbBoxGruppe->currentText();
    case Nachschlagfeld::Standort:
        return DBLkpCmbBoxStandort->currentText();
    case Nachschlagfeld::Leasinggesellschaft:
        return DBLkCmbBoxNameLeasinggesellschaft->currentText();
    case Nachschlagfeld::Fahrer:
        return DBLkpCmbBoxFahrer->currentText();
    }
    return {};
}

int THauptFormular::MontierteReifen() const
{
    return DBRadioGrpReifen->itemIndex();
}

void THauptFormular::ReifenSeiteZeigen(int saison)
{
    PageCtrlReifen->setActivePage(saison == 1 ? TabSheetWinterReifen : TabSheetSommerReifen);
}

void THauptFormular::ReifenLaufleistungLoeschen()
{
    for (const char *saison : {"So", "Wi"})
        for (int n = 1; n <= 7; ++n)
            if (auto *l = findChild<QLabel *>(
                    QStringLiteral("LblAchse%1ReifenGelaufen%2").arg(n).arg(QLatin1String(saison))))
                l->clear();
}

void THauptFormular::ReifenLaufleistungAnzeigen()
{
    dbe::TTable &reifen = DataModule1->TTblReifen;
    dbe::TTable &main = DataModule1->TTblMain;
    if (!reifen.Active() || reifen.IsEmpty() || !main.Active() || main.IsEmpty())
        return;
    const double kmStand = main.FieldByName(QStringLiteral("KfzKmStand"))->AsFloat();
    for (const char *saison : {"So", "Wi"}) {
        for (int n = 1; n <= 7; ++n) {
            const QString s = QLatin1String(saison);
            const dbe::TField *montiert = reifen.FindField(QStringLiteral("Achse%1ReifenKm%2").arg(n).arg(s));
            auto *l = findChild<QLabel *>(QStringLiteral("LblAchse%1ReifenGelaufen%2").arg(n).arg(s));
            if (!montiert || !l || montiert->AsFloat() <= 0 || kmStand <= 0)
                continue;
            l->setText(base::de::formatGeneral(std::max(0.0, kmStand - montiert->AsFloat())));
        }
    }
}

bool THauptFormular::DispoSeiteAktiv() const
{
    return PageCtrlMain->activePage() == TabDispo;
}

void THauptFormular::DispoAuslastungAnzeigen()
{
    if (Dienst<Seitendienste>::vorhanden())
        Dienst<Seitendienste>::aktuell().DispoAuslastungBerechnen();
    LblAuslastung->setText(QStringLiteral("Auslastung (ca.): ") + DispoAuslastungText + QLatin1Char('%'));
}

void THauptFormular::DispoAufAktuellesFahrzeugAlleZeitraeume()
{
    RadioGrpDispoFahrzeuge->setItemIndex(0);
    RadioGrpDispositionSicht->setItemIndex(0);
}

ui::DBGrid *THauptFormular::Grid(const QString &name)
{
    for (ui::DBGrid *grid :
         {TDBGridTouren, TDBGridVarKosten, DBGridHistorie, DBGridSchadensmanagement, DBGridDispo})
        if (grid->objectName() == name)
            return grid;
    return nullptr;
}

int THauptFormular::KostenSicht() const
{
    return RadioGrpKostenSicht->itemIndex();
}

void THauptFormular::KostenSichtSetzen(int sicht)
{
    RadioGrpKostenSicht->setItemIndex(sicht);
}

QString THauptFormular::KostenJahr() const
{
    return CmbBoxKostenJahr->currentText();
}

QString THauptFormular::Beschriftung(const QString &label) const
{
    const auto *l = findChild<QLabel *>(label);
    return l ? l->text() : QString();
}

QString THauptFormular::AuswahlText(const QString &auswahl) const
{
    if (const auto *c = findChild<QComboBox *>(auswahl))
        return c->currentText();
    // The tyre types are typed into plain edits of the same field until the
    // page offers lookup choices ("DBLookupCmbAchse1ReifentypSo" is
    // "EditAchse1ReifentypSo").
    const QString vorsilbe = QStringLiteral("DBLookupCmb");
    if (auswahl.startsWith(vorsilbe))
        if (const auto *e = findChild<QLineEdit *>(QStringLiteral("Edit") + auswahl.mid(vorsilbe.size())))
            return e->text();
    return {};
}

std::optional<base::TDateTime> THauptFormular::DispoErsterTag() const
{
    if (DateTimePckDisposition->isHidden())
        return std::nullopt;
    return std::floor(DateTimePckDisposition->value());
}

std::optional<base::TDateTime> THauptFormular::DispoLetzterTag() const
{
    if (DateTimePckDispositionBis->isHidden())
        return std::nullopt;
    return std::floor(DateTimePckDispositionBis->value());
}

int THauptFormular::DispoFahrzeugAuswahl() const
{
    return RadioGrpDispoFahrzeuge->itemIndex();
}

void THauptFormular::DispoFahrzeugAuswahlSetzen(int auswahl)
{
    RadioGrpDispoFahrzeuge->setItemIndex(auswahl);
}

int THauptFormular::DispoSicht() const
{
    return RadioGrpDispositionSicht->itemIndex();
}

void THauptFormular::DispoSichtSetzen(int sicht)
{
    RadioGrpDispositionSicht->setItemIndex(sicht);
}

// The appointment popup, the dispatch page's new/carry-forward buttons and its
// chart do not exist on this window yet; until they do, these three leave the
// window as it is.
void THauptFormular::TerminFortschreiben(const QString &) {}
void THauptFormular::DispoKnoepfeFreigeben(bool) {}
void THauptFormular::DispoGrafikZeitraumSetzen() {}

void THauptFormular::BildLeeren()
{
    ImgBild->clear();
    PanBild->clear();
}

void THauptFormular::SchadenFilterAusschalten()
{
    if (ChkBoxSchadenFilter->isChecked())
        ChkBoxSchadenFilter->setChecked(false);
}

void THauptFormular::LeasingPrognoseAnzeigen(const QString &text)
{
    LblVorausLsEndKmStand->setText(text);
}

} // namespace fleet
