#include "ReportKatalogDienst.h"

#include <exception>
#include <memory>
#include <optional>

#include "DatenmengeHalten.h"
#include "DruckSchleifen.h"
#include "ExportFormular.h"
#include "FormularWerte.h"
#include "GridMarken.h"
#include "ReportDefinierer.h"
#include "ReportFelder.h"
#include "ReportFormularWerte.h"
#include "ReportGlobale.h"
#include "ReportKatalog.h"
#include "ReportZeilen.h"
#include "Tb6.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/DataModuleFahrer.h"
#include "daten/Hilfstabellen.h"
#include "daten/MandantDaten.h"
#include "dbe/Field.h"
#include "dienste/Formularzugriff.h"
#include "dienste/TerminDienste.h"
#include "formulare/HauptFormular.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/filter/DBVFilter.h"
#include "regeln/FahrzeugFilter.h"
#include "regeln/StartEinstellungen.h"
#include "ui/Hourglass.h"

namespace reporting {

namespace {

using namespace formular;

// How TTblVar follows the current row of another table.
enum class Link {
    Keine,
    Fahrzeug,          // master TDataSrcMain on KfzNr, ordered by KfzNr
    FahrzeugOhneIndex, // master TDataSrcMain on KfzNr in the table's own order
    Fahrer,            // master DataSrcFahrerStammdaten on Name
};
enum class Index { Keiner, KfzNr, WieAlleFahrzeuge, WieTermine, TerminSort };
enum class Var1 { Keine, Fahrzeuge, Reifen };
enum class Schleife { Keine, Liste, Karte };

// One report of the catalogue: what TTblVar and TTblVar1 are pointed at, the loop with its row kind
// or card set, and the form whose window is the parent of the run.
struct Plan {
    const char *tabelle; // null: TTblVar stays unused
    const QString *alias;
    Link link;
    Index index;
    bool erstOeffnen; // open before linking or filtering
    Var1 var1;
    Schleife schleife;
    int art; // row kind of the list loop, card set of the card loop
    const QString *eltern;
};

const QString &F = fleet::kAliasFuhrpark;
const QString &P = fleet::kAliasFuhrparkPriv;
const QString &M = fleet::kAliasFuhrpkMand;

const Plan kPlaene[kReportAnzahl] = {
    {"KfzMonat.db", &F, Link::Fahrzeug, Index::KfzNr, false, Var1::Keine, Schleife::Liste, 0, &kHaupt},
    {nullptr, nullptr, Link::Keine, Index::Keiner, false, Var1::Keine, Schleife::Karte, 1, &kHaupt},
    {"KfzVar.db", &F, Link::Fahrzeug, Index::KfzNr, false, Var1::Keine, Schleife::Liste, 0, &kHaupt},
    {"KfzTour.db", &F, Link::Fahrzeug, Index::KfzNr, false, Var1::Keine, Schleife::Liste, 0, &kHaupt},
    {"KfzStamm.db", &F, Link::Keine, Index::Keiner, false, Var1::Keine, Schleife::Karte, 2, &kHaupt},
    {"KfzVergl.db", &P, Link::Keine, Index::WieAlleFahrzeuge, false, Var1::Fahrzeuge, Schleife::Liste, 3,
     &kAlleFahrzeuge},
    {"Termine.db", &P, Link::Keine, Index::WieTermine, false, Var1::Fahrzeuge, Schleife::Liste, 1, &kTermine},
    {"KfzStamm.db", &F, Link::Keine, Index::Keiner, false, Var1::Keine, Schleife::Liste, 0, &kHaupt},
    {"KfzFuKst.db", &P, Link::Keine, Index::Keiner, false, Var1::Fahrzeuge, Schleife::Liste, 0,
     &kFuhrparkKosten},
    {"KfzTour.db", &F, Link::Keine, Index::Keiner, false, Var1::Fahrzeuge, Schleife::Liste, 2,
     &kTourAuswertung},
    {"KfzMonat.db", &F, Link::Fahrzeug, Index::KfzNr, false, Var1::Keine, Schleife::Liste, 0, &kHaupt},
    {"KfzStamm.db", &F, Link::Keine, Index::Keiner, false, Var1::Reifen, Schleife::Liste, 5, &kHaupt},
    {"KfzHisto.db", &F, Link::FahrzeugOhneIndex, Index::Keiner, true, Var1::Keine, Schleife::Liste, 0,
     &kHaupt},
    {"KfzDispo.db", &F, Link::Keine, Index::Keiner, false, Var1::Keine, Schleife::Liste, 0, &kHaupt},
    {nullptr, nullptr, Link::Keine, Index::Keiner, false, Var1::Keine, Schleife::Keine, 0, nullptr},
    {"KfzFaHis.db", &F, Link::Fahrer, Index::Keiner, false, Var1::Keine, Schleife::Liste, 0, &kFahrer},
    {"KfzFahrer.db", &F, Link::Keine, Index::Keiner, false, Var1::Keine, Schleife::Liste, 0, &kFahrer},
    {nullptr, nullptr, Link::Keine, Index::Keiner, false, Var1::Keine, Schleife::Karte, 3, &kFahrer},
    {"KfzTour.db", &F, Link::Keine, Index::Keiner, true, Var1::Fahrzeuge, Schleife::Liste, 2, &kFahrer},
    {"MoAusPrv.db", &P, Link::Keine, Index::Keiner, false, Var1::Fahrzeuge, Schleife::Liste, 4,
     &kMonatAlleFahrzeuge},
    {"KfzSchad.db", &F, Link::FahrzeugOhneIndex, Index::Keiner, false, Var1::Keine, Schleife::Liste, 0,
     &kHaupt},
    {"Mandant.db", &M, Link::Keine, Index::Keiner, false, Var1::Keine, Schleife::Liste, 0, &kMandanten},
    {"Mandant.db", &M, Link::Keine, Index::Keiner, false, Var1::Keine, Schleife::Karte, 0, &kMandanten},
    {"KfzStamm.db", &F, Link::Keine, Index::Keiner, false, Var1::Keine, Schleife::Karte, 4, &kTerminInfo},
    {"KfzTerminInfo.db", &F, Link::Keine, Index::TerminSort, false, Var1::Fahrzeuge, Schleife::Liste, 6,
     &kTermine},
};

const QString kKfzNr = QStringLiteral("KfzNr");

void filterKopieren(dbe::TTable &ziel, const QString &filter)
{
    ziel.SetFilter(filter);
    ziel.SetFiltered(true);
}

// The extender of a form, when the form has one.
nav::TDBVexarion *extender(const QString &form, const char *name)
{
    QWidget *w = fleet::FormularFinden(form);
    return w ? w->findChild<nav::TDBVexarion *>(QString::fromLatin1(name)) : nullptr;
}

bool filterEingeschaltet(nav::TDBVexarion *ext)
{
    return ext && ext->FilterState() == nav::TDBVFilter::fsActive;
}

QStringList terminFreifeldNamen()
{
    QStringList namen;
    const dbe::TTable &einstellungen = fleet::DataModule1->TTblEinstellungenAllgem;
    for (int i = 1; i <= 4; ++i) {
        const dbe::TField *feld = einstellungen.Active()
                                      ? einstellungen.FindField(QStringLiteral("NameTInfoFreifeld%1").arg(i))
                                      : nullptr;
        namen << (feld ? feld->AsString() : QString());
    }
    return namen;
}

// The captions the user gave the driver's free fields, as the driver form shows them.
QStringList fahrerFreifeldNamen()
{
    const dbe::TTable &einstellungen = fleet::DataModule1->TTblEinstellungenAllgem;
    return fleet::starteinstellungen::FahrerFreifeldNamen([&einstellungen](const QString &name) {
        const dbe::TField *feld =
            einstellungen.Active() && !einstellungen.IsEmpty() ? einstellungen.FindField(name) : nullptr;
        return feld ? feld->Value() : QVariant();
    });
}

QStringList schadenInfoNamen()
{
    QStringList namen;
    const dbe::TTable &schaden = fleet::DataModule1->TblSchadensmanagement;
    for (int i = 1; i <= 3; ++i) {
        const dbe::TField *feld = schaden.FindField(QStringLiteral("Info%1").arg(i));
        namen << (feld ? feld->DisplayLabel() : QStringLiteral("Info%1").arg(i));
    }
    return namen;
}

// Every field of the table as a variable with empty contents (a card whose row is gone).
void leereVariablen(TTb6_ &tb, const dbe::TDataSet &daten)
{
    tb.DefineVariableStart();
    for (int i = 0; i < daten.FieldCount(); ++i)
        tb.DefineVariable(daten.Fields(i)->FieldName(), QString());
}

// One run of the catalogue: the scratch tables borrowed, what it made, and the clean-up that always
// runs at its end.
class Lauf {
public:
    Lauf(TTb6_ &tb, int nummer, bool designer)
        : tb_(tb), dm_(*fleet::DataModule1), var_(dm_.TTblVar), var1_(dm_.TTblVar1), nr_(nummer),
          designer_(designer)
    {
    }
    ~Lauf()
    {
        filterKopie_.reset();
        if (nr_ == 23) {
            fleet::HilfstabelleZuruecksetzen(); // the due-appointment form holds TTblVar1
        } else {
            fleet::HilfstabellenZuruecksetzen();
        }
    }
    Lauf(const Lauf &) = delete;
    Lauf &operator=(const Lauf &) = delete;

    void vorbereiten();
    void definieren();
    void drucken(bool vorschau);
    void entwerfen(QWidget *fenster);

private:
    void tabellenEinrichten();
    void kopienVorOeffnen();
    void oeffnen();
    void nachOeffnen();
    void filterUebernehmen(nav::TDBVexarion *ext, dbe::TDataSet &quelle);
    void liste(const DruckLauf &lauf);
    std::function<void()> kartenSatz();

    TTb6_ &tb_;
    fleet::TDataModule1 &dm_;
    dbe::TTable &var_;
    dbe::TTable &var1_;
    const int nr_;
    const bool designer_;
    const Plan &plan() const { return kPlaene[nr_]; }
    std::unique_ptr<nav::TDBVFilter> filterKopie_;
    bool fahrzeugFehlt_ = false; // report 23: the note's vehicle is gone
    // Values of forms that card sets define again before the page.
    QString datum_;
    Werte monatsWerte_, terminNotiz_;
};

void Lauf::tabellenEinrichten()
{
    const Plan &p = plan();
    const char *tabelle = designer_ && nr_ == 17 ? "KfzFahrer.db" : p.tabelle;
    if (tabelle) {
        var_.SetDatabaseName(p.alias ? *p.alias : F);
        var_.SetTableName(QString::fromLatin1(tabelle));
    }
    switch (p.index) {
    case Index::Keiner:
        break;
    case Index::KfzNr:
        var_.SetIndexFieldNames(kKfzNr);
        break;
    case Index::WieAlleFahrzeuge:
        var_.SetIndexFieldNames(dm_.TTblAlleFahrzeuge.IndexFieldNames());
        break;
    case Index::WieTermine:
        var_.SetIndexName(dm_.TTblTermine.IndexName());
        break;
    case Index::TerminSort:
        var_.SetIndexName(QStringLiteral("Termin_Sort"));
        break;
    }
    if (!p.erstOeffnen) {
        if (p.link == Link::Fahrzeug || p.link == Link::FahrzeugOhneIndex) {
            var_.SetMasterSource(&dm_.TDataSrcMain);
            var_.SetMasterFields(kKfzNr);
        } else if (p.link == Link::Fahrer) {
            var_.SetMasterSource(&fleet::DataModuleFahrerErzeugen().DataSrcFahrerStammdaten);
            var_.SetMasterFields(QStringLiteral("Name"));
        }
    }
    if (p.var1 != Var1::Keine) {
        var1_.SetDatabaseName(F);
        var1_.SetTableName(QString::fromLatin1(p.var1 == Var1::Reifen ? "KfzReif.db" : "KfzStamm.db"));
        if (p.var1 == Var1::Reifen) {
            var1_.SetMasterSource(&dm_.TDataSrcVar);
            var1_.SetMasterFields(kKfzNr);
            var1_.SetIndexFieldNames(kKfzNr);
        }
    }
}

void Lauf::kopienVorOeffnen()
{
    // The designer shows every row: only the cost report keeps its filter, the dispatch report its
    // link.
    if (nr_ == 2 && !dm_.TTblVarKosten.Filter().isEmpty())
        filterKopieren(var_, dm_.TTblVarKosten.Filter());
    if (nr_ == 13 && dm_.TTblDispo.MasterSource() == &dm_.TDataSrcMain) {
        var_.SetMasterSource(&dm_.TDataSrcMain);
        var_.SetMasterFields(kKfzNr);
    }
    if (designer_)
        return;
    switch (nr_) {
    case 0:
    case 10:
        if (!dm_.TTblMonatKosten.Filter().isEmpty())
            filterKopieren(var_, QStringLiteral("AuswJahr = ") +
                                     SteuerText(kHaupt, QStringLiteral("ComboBoxJahr")));
        break;
    case 13:
        if (dm_.TTblDispo.Filtered()) {
            filterKopieren(var_, dm_.TTblDispo.Filter());
            if (filterEingeschaltet(extender(kHaupt, "TDBVexarionMain")) &&
                SteuerIndex(kHaupt, QStringLiteral("RadioGrpDispoFahrzeuge")) == 2)
                var_.OnFilterRecord = [](dbe::TDataSet &buchung, bool &accept) {
                    fleet::FahrzeugFilterRecord(buchung, accept);
                };
        }
        break;
    case 16: {
        const dbe::TTable &fahrer = fleet::DataModuleFahrerErzeugen().TblFahrerStammdaten;
        if (fahrer.Filtered())
            filterKopieren(var_, fahrer.Filter());
        break;
    }
    case 21:
    case 22:
        filterKopieren(var_, dm_.TblMandanten.Filter());
        break;
    default:
        break;
    }
}

void Lauf::oeffnen()
{
    if (plan().tabelle || (designer_ && nr_ == 17))
        var_.Open();
    if (plan().var1 != Var1::Keine)
        var1_.Open();
}

void Lauf::filterUebernehmen(nav::TDBVexarion *ext, dbe::TDataSet &quelle)
{
    if (!filterEingeschaltet(ext))
        return;
    filterKopie_ = std::make_unique<nav::TDBVFilter>();
    filterKopie_->BindFilterDataSet(&var_);
    nav::TFilterDefinition definition;
    int anzahl = 0;
    ext->GetTableFilterDef(&quelle, definition, anzahl);
    filterKopie_->ApplyFilterDef(&definition, anzahl, true);
}

void Lauf::nachOeffnen()
{
    if (nr_ == 12) {
        var_.SetMasterSource(&dm_.TDataSrcMain);
        var_.SetMasterFields(kKfzNr);
    }
    if (designer_)
        return;
    switch (nr_) {
    case 4:
        var_.GotoCurrent(dm_.TTblMain);
        break;
    case 7:
        filterUebernehmen(extender(kHaupt, "TDBVexarionMain"), dm_.TTblMain);
        break;
    case 9:
        filterUebernehmen(extender(kTourAuswertung, "DBVexdTourenAuswertung"), dm_.TTblTouren);
        break;
    case 18:
        if (!dm_.TTblTouren.Filter().isEmpty())
            filterKopieren(var_, dm_.TTblTouren.Filter());
        break;
    case 22:
        var_.GotoCurrent(dm_.TblMandanten);
        break;
    case 23: {
        const dbe::TField *kfzNr = dm_.TTblTermine.FindField(kKfzNr);
        fahrzeugFehlt_ = !kfzNr || !var_.FindKey({kfzNr->AsString()});
        break;
    }
    default:
        break;
    }
}

void Lauf::vorbereiten()
{
    tabellenEinrichten();
    if (!plan().erstOeffnen)
        kopienVorOeffnen();
    oeffnen();
    if (plan().erstOeffnen)
        kopienVorOeffnen();
    nachOeffnen();
}

void Lauf::definieren()
{
    TTb6_ &tb = tb_;
    const QStringList &mandant = fleet::MandantDaten;
    const auto mandantVariablen = [&](bool loeschen) { DefineClientVariables(tb, loeschen, mandant); };
    switch (nr_) {
    case 0:
    case 10: {
        const QStringList durchschnitte = MonatsDurchschnitte();
        DefineMonthlyOverviewVariables(tb, dm_.TTblMain, durchschnitte, SonstigeKostenNamen());
        mandantVariablen(false);
        DefineMonthlyOverviewFields(tb, var_, durchschnitte, SonstigeKostenNamen());
        break;
    }
    case 1:
        datum_ = MonatsauswertungDatum();
        monatsWerte_ = MonatsauswertungWerte();
        DefineMonthlyEvaluationVariables(tb, dm_.TTblMain, datum_, monatsWerte_, SonstigeKostenNamen(),
                                         FahrzeugBeschriftungen());
        mandantVariablen(false);
        break;
    case 2:
        DefineCostVariables(tb, dm_.TTblMain, var_, SonstigeKostenNamen());
        mandantVariablen(false);
        DefineCostFields(tb, var_, SonstigeKostenNamen());
        break;
    case 3:
        DefineTourVariables(tb, dm_.TTblMain, var_);
        mandantVariablen(false);
        DefineTableFields(tb, var_);
        break;
    case 4:
        DefineMasterCardVariables(tb, var_, true, FahrzeugBeschriftungen(),
                                  SteuerText(kHaupt, QStringLiteral("LblVorausLsEndKmStand")));
        mandantVariablen(false);
        break;
    case 5:
        DefineComparisonVariables(tb, var_, VergleichSortierung());
        mandantVariablen(false);
        DefineComparisonFields(tb, var1_, var_);
        break;
    case 6:
        DefineAppointmentListVariables(tb, TerminListenWerte());
        mandantVariablen(false);
        DefineAppointmentListFields(tb, var1_, var_, TerminBeschriftungen());
        break;
    case 7:
        mandantVariablen(true);
        DefineVehicleListFields(tb, var_, FreieTerminNamen(), FahrzeugBeschriftungen());
        break;
    case 8:
        mandantVariablen(true);
        DefineFleetCostFields(tb, var1_, var_, FuhrparkSummen(), SonstigeKostenNamen(), FuhrparkFilter(),
                              FuhrparkSicht());
        break;
    case 9:
        mandantVariablen(true);
        DefineTourFields(tb, var1_, var_, TourAuswertungSummen());
        break;
    case 11:
        mandantVariablen(true);
        DefineTyreFields(tb, var_, var1_);
        break;
    case 12:
        DefineVehicleVariables(tb, dm_.TTblMain);
        mandantVariablen(false);
        DefineTableFields(tb, var_);
        break;
    case 13:
        DefineDispatchVariables(tb, DispoAnsichtLesen(), dm_.TTblMain);
        mandantVariablen(false);
        DefineTableFields(tb, var_);
        break;
    case 14:
        mandantVariablen(true);
        DefineFuelImportSampleFields(tb);
        break;
    case 15:
    case 16:
    case 17:
    case 18:
        if (nr_ == 16) {
            mandantVariablen(true);
        } else {
            DefineDriverVariables(tb, fleet::DataModuleFahrerErzeugen().TblFahrerStammdaten,
                                  fahrerFreifeldNamen());
            mandantVariablen(false);
        }
        if (nr_ == 18)
            DefineTourFields(tb, var1_, var_, FahrerTourSummen());
        else if (nr_ != 17)
            DefineTableFields(tb, var_);
        break;
    case 19:
        DefineMonthlyAllVehiclesFields(tb, AuswertungsZeitraum(), SonstigeKostenNamen(), var1_, var_);
        mandantVariablen(false);
        break;
    case 20:
        DefineVehicleVariables(tb, dm_.TTblMain);
        DefineDamageInfoVariables(tb, schadenInfoNamen());
        mandantVariablen(false);
        DefineTableFields(tb, var_);
        break;
    case 21:
        // The list has no variables: none of an earlier report may stay offered.
        tb.DefineVariableStart();
        DefineTableFields(tb, var_);
        break;
    case 22:
        AlleFelderAlsVariablen(tb, var_, true);
        break;
    case 23:
        if (fahrzeugFehlt_)
            leereVariablen(tb, var_);
        else
            AlleFelderAlsVariablen(tb, var_, true);
        terminNotiz_ = TerminNotizWerte(terminFreifeldNamen());
        DefineAppointmentNoteVariables(tb, terminNotiz_);
        mandantVariablen(false);
        break;
    case 24:
        mandantVariablen(true);
        DefineWorkshopAppointmentFields(tb, var1_, var_, TerminBeschriftungen());
        break;
    default:
        break;
    }
}

std::function<void()> Lauf::kartenSatz()
{
    TTb6_ &tb = tb_;
    switch (plan().art) {
    case 1:
        return [this, &tb] {
            DefineMonthlyEvaluationVariables(tb, dm_.TTblMain, datum_, monatsWerte_, SonstigeKostenNamen(),
                                             FahrzeugBeschriftungen());
            // The set empties the variable list: the client's come again.
            DefineClientVariables(tb, false, fleet::MandantDaten);
        };
    case 2:
        return [this, &tb] { DefineMasterCardVariables(tb, var_, false, {}, {}); };
    case 3:
        return [&tb] {
            DefineDriverVariables(tb, fleet::DataModuleFahrerErzeugen().TblFahrerStammdaten,
                                  fahrerFreifeldNamen());
            DefineClientVariables(tb, false, fleet::MandantDaten);
        };
    case 4:
        return [this, &tb] { DefineAppointmentNoteVariables(tb, terminNotiz_); };
    default:
        return {};
    }
}

void Lauf::liste(const DruckLauf &lauf)
{
    TTb6_ &tb = tb_;
    switch (plan().art) {
    case 1: {
        GridMarken *marken = MarkenVon(&Steuerelement(kTermine, QStringLiteral("DBGrid1")));
        if (!marken || marken->MarkenAnzahl() == 0) {
            PrintListReport(lauf, var_, [&] { FahrzeugUndZeile(tb, var1_, var_); });
            return;
        }
        DatenmengeHalten halten(marken->MarkenDaten());
        const QList<int> folge = MarkenInTabellenfolge(*marken);
        PrintListReport(lauf, var_, [&] { TerminListenZeile(tb, var1_, var_, marken, folge); });
        return;
    }
    case 2: {
        GridMarken *marken =
            nr_ == 9 ? MarkenVon(&Steuerelement(kTourAuswertung, QStringLiteral("DBGridTourAuswertung")))
                     : nullptr;
        if (marken && marken->MarkenAnzahl() > 1) {
            DatenmengeHalten halten(marken->MarkenDaten());
            const QList<int> folge = MarkenInTabellenfolge(*marken);
            auto *touren = dynamic_cast<dbe::TTable *>(&marken->MarkenDaten());
            PrintSelectedRows(lauf, int(folge.size()), [&](int i) {
                marken->ZuMarke(folge[i]);
                var_.GotoCurrent(touren ? *touren : dm_.TTblTouren);
                FahrzeugUndZeile(tb, var1_, var_);
            });
            return;
        }
        PrintListReport(lauf, var_, [&] { FahrzeugUndZeile(tb, var1_, var_); });
        return;
    }
    case 3:
    case 4:
        PrintListReport(lauf, var_, [&] { FahrzeugUndZeile(tb, var1_, var_); });
        return;
    case 5:
        PrintListReport(lauf, var_, [&] { DefineUsedRowFields(tb, var_, &var1_); });
        return;
    case 6:
        PrintListReport(
            lauf, var_, [&] { WerkstattTerminZeile(tb, var1_, var_); },
            [&] { WerkstattTermineUeberspringen(var_, dm_.TTblTermine); });
        return;
    default:
        PrintListReport(lauf, var_, [&] { DefineUsedRowFields(tb, var_, nullptr); });
        return;
    }
}

void Lauf::drucken(bool vorschau)
{
    ReportFenster = &Formular(*plan().eltern);
    const DruckLauf lauf{tb_, ProjektDatei, ReportFenster, vorschau};
    if (plan().schleife == Schleife::Karte)
        PrintCardReport(lauf, kartenSatz());
    else
        liste(lauf);
}

void Lauf::entwerfen(QWidget *fenster)
{
    const ReportEintrag &eintrag = *ReportEintragZu(nr_);
    // The designer's result needs no answer: it reports its own failures.
    tb_.DefineLayout(fenster, QStringLiteral("Title"), DesignerObjektArt(eintrag), ProjektDatei);
}

} // namespace

TReportKatalog::TReportKatalog(QWidget *hauptFenster)
    : tabul5_1_(new TTb6_(hauptFenster)), tb11_1_(new TTb14_(hauptFenster))
{
    tb11_1_->setObjectName(QStringLiteral("Tb11_1"));
    tb11_1_->SetSortVariables(TPropYesNo::Yes);
    tb11_1_->SetCompressStorage(TPropYesNo::Yes);
    tb11_1_->SetButtons3D(TPropYesNo::No);
    tb11_1_->SetButtonsWithBitmaps(TPropYesNo::No);
    tabul5_1_->setObjectName(QStringLiteral("Tabul5_1"));
    tabul5_1_->SetMultipleTableLines(TPropYesNo::Yes);
    tabul5_1_->SetSortVariables(TPropYesNo::Yes);
    tabul5_1_->SetButtons3D(TPropYesNo::No);
    tabul5_1_->SetButtonsWithBitmaps(TPropYesNo::No);
}

TReportKatalog::~TReportKatalog() = default;

void TReportKatalog::PrintReport(int reportNummer, int modus)
{
    ausfuehren(reportNummer, modus, false);
}

void TReportKatalog::DesignReport(int reportNummer)
{
    ausfuehren(reportNummer, 0, true);
}

void TReportKatalog::ExportFormularZeigen()
{
    // Made on first use, kept to the end of the program, shown modally.
    if (!fleet::ExportFormularErzeugt || !exportFormular_) {
        exportFormular_ = std::make_unique<TExportFormular>();
        fleet::ExportFormularErzeugt = true;
    }
    exportFormular_->showModal();
}

void TReportKatalog::ausfuehren(int reportNummer, int modus, bool designer)
{
    ui::HourglassScope sanduhr;
    if (!fleet::DataModule1 || !tabul5_1_)
        return;
    const ReportEintrag *eintrag = ReportEintragZu(reportNummer);
    if (designer && eintrag) {
        if (reportNummer >= 15 && reportNummer <= 18 && !fleet::FahrerFormularErzeugt) {
            if (FahrerFormularErzeugen)
                FahrerFormularErzeugen();
            else
                fleet::DataModuleFahrerErzeugen();
            fleet::FahrerFormularErzeugt = true;
        }
        // The due list is built when first needed; its layout shows the list and its captions.
        if (reportNummer == 6 && fleet::Dienst<fleet::TerminDienste>::vorhanden())
            fleet::terminDienste().TerminListeBereitstellen();
        if (reportNummer == 19 && !fleet::MonatsauswertungAlleFahrzeugeErzeugt &&
            MonatsauswertungAlleFahrzeugeFormularErzeugen) {
            MonatsauswertungAlleFahrzeugeFormularErzeugen();
            fleet::MonatsauswertungAlleFahrzeugeErzeugt = true;
        }
    }
    Lauf lauf(*tabul5_1_, eintrag ? reportNummer : 0, designer);
    if (!eintrag || (reportNummer == 14 && !designer))
        return; // the clean-up alone
    lauf.vorbereiten();
    ProjektDatei = QString::fromLatin1(eintrag->projekt);
    lauf.definieren();
    if (designer) {
        QWidget *fenster = fleet::FormularFinden(kEinstellungen);
        if (!fenster)
            fenster = fleet::FormularFinden(kHaupt);
        lauf.entwerfen(fenster);
    } else {
        lauf.drucken(modus == fleet::kVorschau);
    }
}

} // namespace reporting
