// The report catalogue over the recording engine, a fleet in SQLite and stand-in forms.
#include <algorithm>

#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

#include "FakeEngine.h"
#include "FormularWerte.h"
#include "ReportGlobale.h"
#include "Tb14.h"
#include "Tb6.h"
#include "daten/DataModule1.h"
#include "daten/DataModuleFahrer.h"
#include "fakes/AufzeichnendeDienste.h"
#include "formulare/HauptFormular.h"
#include "formulare/MandantenFormular.h"
#include "katalog_umgebung.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "reportengine/EngineTypes.h"
#include "ui/Hourglass.h"
#include "ui/RadioGroup.h"
#include "ui/testing/ScriptedMessages.h"
#include <QPushButton>

// Readable failures.
void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

class QtUmgebung : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "katalog_test";
        static char *argv[] = {name, nullptr};
        if (!QApplication::instance())
            new QApplication(argc, argv);
    }
};
::testing::Environment *const qt = ::testing::AddGlobalTestEnvironment(new QtUmgebung);

// The recording engine that also tells when the designer is asked for.
class HakenEngine : public tb::testing::FakeEngine {
public:
    std::function<void()> beimEntwurf;
    int TbDefineLayoutA(int job, QWidget *parent, const QString &title, int objectType,
                        const QString &file) override
    {
        if (beimEntwurf)
            beimEntwurf();
        return FakeEngine::TbDefineLayoutA(job, parent, title, objectType, file);
    }
};

// What a scratch table was pointed at while the engine ran.
struct Stand {
    QString tabelle, alias, index, filter, master;
    bool offen = false, gefiltert = false, satzFilter = false;
    int zeilen = -1;
    QString kfzNr; // of the current row
};

Stand standVon(const dbe::TTable &t)
{
    Stand s;
    s.tabelle = t.TableName();
    s.alias = t.DatabaseName();
    s.index = t.IndexName().isEmpty() ? t.IndexFieldNames() : QStringLiteral("name:") + t.IndexName();
    s.filter = t.Filter();
    s.gefiltert = t.Filtered();
    s.master = t.MasterSource() ? t.MasterFields() : QString();
    s.offen = t.Active();
    s.satzFilter = bool(t.OnFilterRecord);
    if (s.offen) {
        auto &tabelle = const_cast<dbe::TTable &>(t);
        s.zeilen = tabelle.RecordCount();
        if (const dbe::TField *f = tabelle.FindField(QStringLiteral("KfzNr")))
            s.kfzNr = f->AsString();
        else if (const dbe::TField *m = tabelle.FindField(QStringLiteral("Mandant")))
            s.kfzNr = m->AsString();
    }
    return s;
}

bool inRuhe(const dbe::TTable &t)
{
    return !t.Active() && t.DatabaseName() == QLatin1String("Fuhrpark") && t.Filter().isEmpty() &&
           !t.Filtered() && !t.MasterSource() && t.IndexFieldNames().isEmpty() && t.IndexName().isEmpty() &&
           !t.OnFilterRecord;
}

class KatalogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto engine = std::make_unique<HakenEngine>();
        fake_ = engine.get();
        vorher_ = tb::setEngine(std::move(engine));
        umgebung_ = std::make_unique<katalogtest::KatalogUmgebung>();
        fake_->onPrintOptionsDialog = [this](int) { festhalten(); };
        fake_->beimEntwurf = [this] { festhalten(); };
        fake_->printOptions[{katalog().Tabul5_1()->hTbJob(), tb::popt::LastPage}] = tb::TB_PAGE_OPEN;
        fake_->printOptions[{katalog().Tabul5_1()->hTbJob(), tb::popt::FirstPage}] = 1;
        fake_->clearCalls();
    }
    void TearDown() override
    {
        EXPECT_TRUE(meldungen_.verifyDone());
        umgebung_.reset();
        tb::setEngine(std::move(vorher_));
    }
    void festhalten()
    {
        var_ = standVon(fleet::DataModule1->TTblVar);
        var1_ = standVon(fleet::DataModule1->TTblVar1);
        fenster_ = reporting::ReportFenster;
        ++laeufe_;
    }
    reporting::TReportKatalog &katalog() { return umgebung_->katalog(); }
    dbe::TTable &var() { return fleet::DataModule1->TTblVar; }
    dbe::TTable &var1() { return fleet::DataModule1->TTblVar1; }
    QString start() const
    {
        return fake_->callsStartingWith(QStringLiteral("TbPrintWithBoxStartA")).value(0);
    }
    // Names defined by a function after the given call (the n-th of that name).
    QStringList definiertNach(const QString &funktion, const QString &nach) const
    {
        QStringList out;
        bool danach = false;
        for (const QString &call : fake_->calls) {
            if (call.startsWith(nach))
                danach = true;
            else if (danach && call.startsWith(funktion))
                out << call.section(QStringLiteral(", "), 1, 1);
        }
        return out;
    }

    HakenEngine *fake_ = nullptr;
    std::unique_ptr<tb::IEngine> vorher_;
    ui::testing::ScriptedMessages meldungen_{[](const QString &r) { ADD_FAILURE() << r.toStdString(); }};
    std::unique_ptr<katalogtest::KatalogUmgebung> umgebung_;
    Stand var_, var1_;
    QWidget *fenster_ = nullptr;
    int laeufe_ = 0;
};

struct Erwartet {
    int nr;
    const char *projekt; // null: no run
    int objektArt;
    const char *tabelle, *alias, *index, *master;
    bool gefiltert;
    const char *tabelle1;
    const char *eltern;
};

TEST_F(KatalogTest, EveryReportPointsTheScratchTablesAtItsTableAndResetsThemAfterwards)
{
    const Erwartet tabelle[] = {
        {0, "Mon_Ueb.lst", 2, "KfzMonat.db", "Fuhrpark", "KfzNr", "KfzNr", false, "", "HauptFormular"},
        {1, "Mon_Aus.crd", 3, "", "Fuhrpark", "", "", false, "", "HauptFormular"},
        {2, "VarKost.lst", 2, "KfzVar.db", "Fuhrpark", "KfzNr", "KfzNr", false, "", "HauptFormular"},
        {3, "Touren.lst", 2, "KfzTour.db", "Fuhrpark", "KfzNr", "KfzNr", false, "", "HauptFormular"},
        {4, "Stammdat.crd", 3, "KfzStamm.db", "Fuhrpark", "", "", false, "", "HauptFormular"},
        {5, "DuFahrz.lst", 2, "KfzVergl.db", "FuhrparkPriv", "KfzNr", "", false, "KfzStamm.db",
         "AlleFahrzeugeFormular"},
        {6, "Termine.lst", 2, "Termine.db", "FuhrparkPriv", "", "", false, "KfzStamm.db", "TerminFormular"},
        {7, "StammLis.lst", 2, "KfzStamm.db", "Fuhrpark", "", "", false, "", "HauptFormular"},
        {8, "Fuhrkst.lst", 2, "KfzFuKst.db", "FuhrparkPriv", "", "", false, "KfzStamm.db",
         "FuhrparkKostenFormular"},
        {9, "TourAusw.lst", 2, "KfzTour.db", "Fuhrpark", "", "", false, "KfzStamm.db",
         "TourAuswertungFormular"},
        {10, "Mon_UebK.lst", 2, "KfzMonat.db", "Fuhrpark", "KfzNr", "KfzNr", false, "", "HauptFormular"},
        {11, "Reifen.lst", 2, "KfzStamm.db", "Fuhrpark", "", "", false, "KfzReif.db", "HauptFormular"},
        {12, "Historie.lst", 2, "KfzHisto.db", "Fuhrpark", "", "KfzNr", false, "", "HauptFormular"},
        {13, "Dispo.lst", 2, "KfzDispo.db", "Fuhrpark", "", "KfzNr", false, "", "HauptFormular"},
        {14, nullptr, 0, "", "", "", "", false, "", ""},
        {15, "FaHist.lst", 2, "KfzFaHis.db", "Fuhrpark", "", "Name", false, "", "FahrerStammdatenFormular"},
        {16, "FaStaLis.lst", 2, "KfzFahrer.db", "Fuhrpark", "", "", false, "", "FahrerStammdatenFormular"},
        {17, "FaStamm.crd", 3, "", "Fuhrpark", "", "", false, "", "FahrerStammdatenFormular"},
        {18, "FaTour.lst", 2, "KfzTour.db", "Fuhrpark", "", "", false, "KfzStamm.db",
         "FahrerStammdatenFormular"},
        {19, "MonAusAF.lst", 2, "MoAusPrv.db", "FuhrparkPriv", "", "", false, "KfzStamm.db",
         "MonatsauswertungAlleFahrzeugeFormular"},
        {20, "Schadensm.lst", 2, "KfzSchad.db", "Fuhrpark", "", "KfzNr", false, "", "HauptFormular"},
        {21, "MandLst.lst", 2, "Mandant.db", "FuhrpkMand", "", "", true, "", "MandantenFormular"},
        {22, "Mandant.crd", 3, "Mandant.db", "FuhrpkMand", "", "", true, "", "MandantenFormular"},
        {23, "TermInfo.crd", 3, "KfzStamm.db", "Fuhrpark", "", "", false, "", "TerminInfoDlg"},
        {24, "WerkTerm.lst", 2, "KfzTerminInfo.db", "Fuhrpark", "name:Termin_Sort", "", false, "KfzStamm.db",
         "TerminFormular"},
        {-1, nullptr, 0, "", "", "", "", false, "", ""},
        {25, nullptr, 0, "", "", "", "", false, "", ""},
    };
    for (const Erwartet &e : tabelle) {
        SCOPED_TRACE(e.nr);
        fake_->clearCalls();
        laeufe_ = 0;
        var_ = var1_ = Stand();
        var().SetTableName(QString());
        var1().SetTableName(QString());
        try {
            katalog().PrintReport(e.nr, fleet::kDrucken);
        } catch (const std::exception &fehler) {
            ADD_FAILURE() << fehler.what();
        }
        EXPECT_EQ(ui::hourglassDepth(), 0);
        EXPECT_TRUE(inRuhe(var()));
        if (e.nr != 23) {
            EXPECT_TRUE(inRuhe(var1()));
        }
        if (!e.projekt) {
            EXPECT_TRUE(start().isEmpty());
            EXPECT_EQ(laeufe_, 0);
            continue;
        }
        EXPECT_EQ(start().section(QStringLiteral(", "), 1, 2),
                  QStringLiteral("%1, %2").arg(e.objektArt).arg(e.projekt));
        EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbPrintEnd")).size(), 1);
        ASSERT_EQ(laeufe_, 1);
        EXPECT_EQ(fenster_, umgebung_->formular(QString::fromLatin1(e.eltern)));
        if (*e.tabelle) {
            EXPECT_EQ(var_.tabelle, QString::fromLatin1(e.tabelle));
            EXPECT_EQ(var_.alias, QString::fromLatin1(e.alias));
            EXPECT_TRUE(var_.offen);
        } else {
            EXPECT_FALSE(var_.offen);
        }
        EXPECT_EQ(var_.index, QString::fromLatin1(e.index));
        EXPECT_EQ(var_.master, QString::fromLatin1(e.master));
        EXPECT_EQ(var_.gefiltert, e.gefiltert);
        EXPECT_EQ(var1_.tabelle, QString::fromLatin1(e.tabelle1));
        EXPECT_EQ(var1_.offen, *e.tabelle1 != 0);
        if (e.objektArt == 2) {
            EXPECT_GE(fake_->callsStartingWith(QStringLiteral("TbPrintFieldsEnd")).size(), 1);
        } else {
            EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbPrint(")).size(), 1);
        }
    }
}

// Values a function defined in the run, as "name, contents".
QStringList werte(const tb::testing::FakeEngine &fake, const char *funktion)
{
    QStringList out;
    for (const QString &call : fake.callsStartingWith(QString::fromLatin1(funktion)))
        out << call.mid(call.indexOf(u',') + 2).chopped(1);
    return out;
}

nav::TFilterDefinition filterAuf(const char *feld, const char *wert)
{
    nav::TFilterDefinition def;
    def[0] = nav::TFilterZeile{QString::fromLatin1(feld), nav::opEq, QString::fromUtf8(wert), 0};
    return def;
}

TEST_F(KatalogTest, CopiesTheFilterOrLinkTheRequestingFormShows)
{
    fleet::TDataModule1 &dm = *fleet::DataModule1;
    auto *extMain = new nav::TDBVexarion(umgebung_->formular(QStringLiteral("HauptFormular")));
    extMain->setObjectName(QStringLiteral("TDBVexarionMain"));
    auto *extTouren = new nav::TDBVexarion(umgebung_->formular(QStringLiteral("TourAuswertungFormular")));
    extTouren->setObjectName(QStringLiteral("DBVexdTourenAuswertung"));
    dbe::TTable &fahrer = fleet::DataModuleFahrer->TblFahrerStammdaten;
    const struct Fall {
        const char *name;
        int nr;
        std::function<void()> vorher, nachher;
        const char *filter;
        bool gefiltert;
        int zeilen;
        const char *master;
        bool satzFilter;
    } faelle[] = {
        {"0 alle Jahre", 0, {}, {}, "", false, 4, "KfzNr", false},
        {"0 ein Jahr", 0, [&] { dm.TTblMonatKosten.SetFilter(QStringLiteral("AuswJahr = 2006")); },
         [&] { dm.TTblMonatKosten.SetFilter(QString()); }, "AuswJahr = 2005", true, 2, "KfzNr", false},
        {"10 ein Jahr", 10, [&] { dm.TTblMonatKosten.SetFilter(QStringLiteral("AuswJahr = 2006")); },
         [&] { dm.TTblMonatKosten.SetFilter(QString()); }, "AuswJahr = 2005", true, 2, "KfzNr", false},
        {"2 Beleg", 2, [&] { dm.TTblVarKosten.SetFilter(QStringLiteral("BelegNummer = 'R-4712'")); },
         [&] { dm.TTblVarKosten.SetFilter(QString()); }, "BelegNummer = 'R-4712'", true, 1, "KfzNr", false},
        {"7 Fahrzeugfilter", 7,
         [&] { extMain->ApplyTableFilterDef(&dm.TTblMain, filterAuf("KfzNr", "HH-KA 100"), 1, true); },
         [&] { extMain->ClearTableFilter(&dm.TTblMain); }, "", false, 1, "", false},
        {"9 Tourenfilter", 9,
         [&] { extTouren->ApplyTableFilterDef(&dm.TTblTouren, filterAuf("Tour", "T5"), 1, true); },
         [&] { extTouren->ClearTableFilter(&dm.TTblTouren); }, "", false, 1, "", false},
        {"13 Fahrzeug 2", 13,
         [&] {
             dm.TTblDispo.SetFilter(QStringLiteral("Kfznr = 'B-XY 2024'"));
             dm.TTblDispo.SetFiltered(true);
             extMain->ApplyTableFilterDef(&dm.TTblMain, filterAuf("KfzNr", "HH-KA 100"), 1, true);
             umgebung_->indexSetzen("HauptFormular", "RadioGrpDispoFahrzeuge", 2);
         },
         [&] {
             umgebung_->indexSetzen("HauptFormular", "RadioGrpDispoFahrzeuge", 1);
             extMain->ClearTableFilter(&dm.TTblMain);
         },
         "Kfznr = 'B-XY 2024'", true, 0, "KfzNr", true},
        {"13 Fahrzeug 1", 13,
         [&] { extMain->ApplyTableFilterDef(&dm.TTblMain, filterAuf("KfzNr", "HH-KA 100"), 1, true); },
         [&] {
             extMain->ClearTableFilter(&dm.TTblMain);
             dm.TTblDispo.SetFiltered(false);
             dm.TTblDispo.SetFilter(QString());
         },
         "Kfznr = 'B-XY 2024'", true, 0, "KfzNr", false},
        {"16 Fahrer", 16,
         [&] {
             fahrer.SetFilter(QStringLiteral("Name = 'Åsa Öberg'"));
             fahrer.SetFiltered(true);
         },
         [&] {
             fahrer.SetFiltered(false);
             fahrer.SetFilter(QString());
         },
         "Name = 'Åsa Öberg'", true, 1, "", false},
        {"21 Mandanten", 21, [&] { dm.TblMandanten.SetFilter(QStringLiteral("Mandant = 'Mandant3'")); },
         [&] { dm.TblMandanten.SetFilter(QString()); }, "Mandant = 'Mandant3'", true, 1, "", false},
        {"22 Mandant",
         22,
         [&] { dm.TblMandanten.Locate(QStringLiteral("Mandant"), QStringLiteral("Mandant4")); },
         {},
         "",
         true,
         -2,
         "",
         false},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        if (f.vorher)
            f.vorher();
        laeufe_ = 0;
        katalog().PrintReport(f.nr, fleet::kVorschau);
        ASSERT_EQ(laeufe_, 1);
        EXPECT_EQ(var_.filter, QString::fromUtf8(f.filter));
        EXPECT_EQ(var_.gefiltert, f.gefiltert);
        if (f.zeilen >= 0) {
            EXPECT_EQ(var_.zeilen, f.zeilen);
        } else {
            EXPECT_EQ(var_.kfzNr, QStringLiteral("Mandant4"));
        }
        EXPECT_EQ(var_.master, QString::fromLatin1(f.master));
        EXPECT_EQ(var_.satzFilter, f.satzFilter);
        EXPECT_TRUE(inRuhe(var()));
        if (f.nachher)
            f.nachher();
    }
}

TEST_F(KatalogTest, DesignerShowsEveryRowButKeepsTheCostFilterAndTheDispatchLink)
{
    fleet::TDataModule1 &dm = *fleet::DataModule1;
    auto *extMain = new nav::TDBVexarion(umgebung_->formular(QStringLiteral("HauptFormular")));
    extMain->setObjectName(QStringLiteral("TDBVexarionMain"));
    extMain->ApplyTableFilterDef(&dm.TTblMain, filterAuf("KfzNr", "HH-KA 100"), 1, true);
    dm.TTblMonatKosten.SetFilter(QStringLiteral("AuswJahr = 2006"));
    dm.TTblVarKosten.SetFilter(QStringLiteral("BelegNummer = 'R-4712'"));
    dm.TTblDispo.SetFilter(QStringLiteral("Kfznr = 'B-XY 2024'"));
    dm.TTblDispo.SetFiltered(true);
    dm.TblMandanten.SetFilter(QStringLiteral("Mandant = 'Mandant3'"));
    const struct {
        int nr;
        const char *projekt;
        int art;
        const char *filter;
        const char *master;
    } faelle[] = {
        {0, "Mon_Ueb.lst", 32770, "", "KfzNr"}, {2, "VarKost.lst", 32770, "BelegNummer = 'R-4712'", "KfzNr"},
        {7, "StammLis.lst", 32770, "", ""},     {9, "TourAusw.lst", 32770, "", ""},
        {13, "Dispo.lst", 32770, "", "KfzNr"},  {16, "FaStaLis.lst", 32770, "", ""},
        {17, "FaStamm.crd", 32771, "", ""},     {18, "FaTour.lst", 32770, "", ""},
        {21, "MandLst.lst", 32770, "", ""},     {22, "Mandant.crd", 32771, "", ""}};
    for (const auto &f : faelle) {
        SCOPED_TRACE(f.nr);
        fake_->clearCalls();
        laeufe_ = 0;
        katalog().DesignReport(f.nr);
        ASSERT_EQ(laeufe_, 1);
        EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbDefineLayoutA")).value(0),
                  QStringLiteral("TbDefineLayoutA(%1, Title, %2, %3)")
                      .arg(umgebung_->katalog().Tabul5_1()->hTbJob())
                      .arg(f.art)
                      .arg(QString::fromLatin1(f.projekt)));
        EXPECT_EQ(var_.filter, QString::fromUtf8(f.filter));
        EXPECT_EQ(var_.master, QString::fromLatin1(f.master));
        EXPECT_FALSE(var_.satzFilter);
        if (f.nr == 17) {
            EXPECT_EQ(var_.tabelle, QStringLiteral("KfzFahrer.db"));
        }
        EXPECT_TRUE(inRuhe(var()));
        EXPECT_EQ(ui::hourglassDepth(), 0);
    }
    EXPECT_TRUE(fleet::FahrerFormularErzeugt);
}

TEST_F(KatalogTest, DesigningTheDueListAsksForTheListToBeBuiltFirst)
{
    // The list is built when first needed; its layout is the one report that reads it without the list
    // having been shown.
    fleet::testing::AufzeichnendeTerminDienste termine;
    katalog().DesignReport(6);
    EXPECT_EQ(laeufe_, 1);
    EXPECT_EQ(termine.aufrufe, QStringList{"TerminListeBereitstellen"});
    termine.aufrufe.clear();
    katalog().DesignReport(7);
    katalog().PrintReport(6, fleet::kDrucken);
    EXPECT_EQ(termine.aufrufe, QStringList{});
}

TEST_F(KatalogTest, SelectedToursPrintOnlyTheMarkedRowsInTableOrder)
{
    fake_->usedNames = {"Tour", "Info"};
    auto &grid = umgebung_->tourenGrid();
    dbe::TTable &touren = fleet::DataModule1->TTblTouren;
    touren.Last();
    const dbe::TBookmark vorher = touren.GetBookmark();
    grid.markieren(QStringLiteral("Tour"), {"T4"});
    touren.GotoBookmark(vorher);
    katalog().PrintReport(9, fleet::kDrucken);
    EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbPrintFields(")).size(), 6); // one mark: the list

    // The data module's tours follow the main window's vehicle: both of B-XY 2024's marked.
    grid.markieren(QStringLiteral("Tour"), {"T3", "T1"});
    touren.GotoBookmark(vorher);
    fake_->clearCalls();
    katalog().PrintReport(9, fleet::kDrucken);
    EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbPrintFields(")).size(), 2);
    const QStringList zeilen = werte(*fake_, "TbDefineFieldA").filter(QRegularExpression("^(Tour|Info), "));
    EXPECT_EQ(zeilen.mid(zeilen.size() - 4), (QStringList{"Info, Großraumtransporter", "Tour, T1",
                                                          "Info, Großraumtransporter", "Tour, T3"}));
    EXPECT_EQ(touren.GetBookmark(), vorher);
    EXPECT_FALSE(touren.ControlsDisabled());
}

TEST_F(KatalogTest, DueListWithTwoMarksPrintsThoseVehiclesAndEveryOtherRowEmpty)
{
    fake_->usedNames = {"KfzNr", "Info"};
    dbe::TTable &termine = fleet::DataModule1->TTblTermine;
    umgebung_->termineGrid().markieren(QStringLiteral("KfzNr"), {"M-ÖL 77", "B-XY 2024"});
    termine.Locate(QStringLiteral("KfzNr"), QStringLiteral("HH-KA 100"));
    const dbe::TBookmark vorher = termine.GetBookmark();
    katalog().PrintReport(6, fleet::kDrucken);
    QStringList zeilen;
    bool imLauf = false;
    for (const QString &call : fake_->calls) {
        if (call.startsWith(QLatin1String("TbPrint(")))
            imLauf = true;
        else if (imLauf && call.startsWith(QLatin1String("TbDefineFieldA")))
            zeilen << call.mid(call.indexOf(u',') + 2).chopped(1);
    }
    // Per row the vehicle's fields, then the due list's (its Info is empty).
    EXPECT_EQ(zeilen, (QStringList{"KfzNr, B-XY 2024", "Info, Großraumtransporter", "KfzNr, B-XY 2024",
                                   "Info, ", "KfzNr, ", "Info, ", "KfzNr, ", "Info, ", "KfzNr, M-ÖL 77",
                                   "Info, Tankwagen Süd", "KfzNr, M-ÖL 77", "Info, "}));
    EXPECT_EQ(termine.GetBookmark(), vorher);
    EXPECT_FALSE(termine.ControlsDisabled());
}

TEST_F(KatalogTest, NoteOfAVanishedVehicleDefinesEmptyVehicleVariablesAndLeavesTTblVar1)
{
    dbe::TTable &termine = fleet::DataModule1->TTblTermine;
    termine.Append();
    termine.FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("WEG 1"));
    termine.Post();
    ASSERT_TRUE(termine.Locate(QStringLiteral("KfzNr"), QStringLiteral("WEG 1")));
    var1().SetTableName(QStringLiteral("KfzTour.db"));
    var1().Open();
    katalog().PrintReport(23, fleet::kDrucken);
    EXPECT_TRUE(var1().Active());
    EXPECT_EQ(var1().TableName(), QStringLiteral("KfzTour.db"));
    const QStringList v = werte(*fake_, "TbDefineVariableA");
    EXPECT_TRUE(v.contains(QStringLiteral("KfzNr, ")));
    EXPECT_TRUE(v.contains(QStringLiteral("Info, ")));
    EXPECT_FALSE(v.contains(QStringLiteral("Info, Großraumtransporter")));
    EXPECT_TRUE(v.contains(QStringLiteral("Kennzeichen, B-XY 2024")));

    termine.Locate(QStringLiteral("KfzNr"), QStringLiteral("M-ÖL 77"));
    fake_->clearCalls();
    katalog().PrintReport(23, fleet::kDrucken);
    EXPECT_TRUE(werte(*fake_, "TbDefineVariableA").contains(QStringLiteral("Info, Tankwagen Süd")));
    var1().Close();
}

TEST_F(KatalogTest, ListsWithoutVariablesOfTheirOwnOfferNoneOfAnEarlierReport)
{
    for (int nr : {21, 24}) {
        SCOPED_TRACE(nr);
        katalog().PrintReport(3, fleet::kDrucken);
        fake_->clearCalls();
        katalog().PrintReport(nr, fleet::kDrucken);
        const std::vector<QString> &aufrufe = fake_->calls;
        const auto start = std::find_if(aufrufe.begin(), aufrufe.end(), [](const QString &c) {
            return c.startsWith(QLatin1String("TbDefineVariable"));
        });
        ASSERT_NE(start, aufrufe.end());
        EXPECT_TRUE(start->startsWith(QLatin1String("TbDefineVariableStart")));
    }
}

TEST_F(KatalogTest, CardsOfTheMonthAndTheDriverDefineTheClientVariablesAgainAfterTheirSet)
{
    for (const auto &[nr, letzteDesSatzes] :
         {std::pair{1, "DatumMonatsauswertung"}, std::pair{17, "NameFreifeld8"}}) {
        SCOPED_TRACE(nr);
        fake_->clearCalls();
        katalog().PrintReport(nr, fleet::kDrucken);
        const QStringList nachDialog =
            definiertNach(QStringLiteral("TbDefineVariable"), QStringLiteral("TbPrintOptionsDialogA"));
        ASSERT_FALSE(nachDialog.isEmpty());
        EXPECT_TRUE(nachDialog.contains(QString::fromLatin1(letzteDesSatzes)));
        EXPECT_EQ(nachDialog.last(), QStringLiteral("AktMandantBemerkung3"));
        EXPECT_LT(nachDialog.lastIndexOf(QString::fromLatin1(letzteDesSatzes)),
                  nachDialog.indexOf(QStringLiteral("AktuellerMandant")));
    }
}

// The driver card and list name the free fields as the driver form does, from the general settings.
TEST_F(KatalogTest, DriverReportsNameTheFreeFieldsByTheUsersCaptions)
{
    dbe::TTable &einstellungen = fleet::DataModule1->TTblEinstellungenAllgem;
    ASSERT_TRUE(einstellungen.Active());
    ASSERT_FALSE(einstellungen.IsEmpty());
    einstellungen.First();
    einstellungen.Edit();
    einstellungen.FieldByName(QStringLiteral("Textfeld6"))->SetAsString(QStringLiteral("Lieblingsroute"));
    einstellungen.FieldByName(QStringLiteral("Textfeld13"))->SetAsString(QStringLiteral("Schuhgröße"));
    einstellungen.Post();
    for (int nr : {15, 17, 18}) {
        SCOPED_TRACE(nr);
        fake_->clearCalls();
        katalog().PrintReport(nr, fleet::kDrucken);
        const QStringList v = werte(*fake_, "TbDefineVariableA");
        EXPECT_TRUE(v.contains(QStringLiteral("NameFreifeld1, Lieblingsroute")));
        EXPECT_TRUE(v.contains(QStringLiteral("NameFreifeld2, Freifeld2")));
        EXPECT_TRUE(v.contains(QStringLiteral("NameFreifeld8, Schuhgröße")));
    }
}

TEST_F(KatalogTest, WorkshopListPrintsOnlyNotesThatStillStand)
{
    dbe::TSession &s = umgebung_->session();
    const QString F = QStringLiteral("Fuhrpark");
    const QStringList felder = {"Kfznr", "TerminName", "TerminWert"};
    kerntest::zeileAnfuegen(s, F, "KfzTerminInfo.db", felder, {"WEG 1", "TTblTermineKfzNr", "WEG 1"});
    kerntest::zeileAnfuegen(s, F, "KfzTerminInfo.db", felder, {"HH-KA 100", "TTblTermineKfzNr", "alt"});
    kerntest::zeileAnfuegen(s, F, "KfzTerminInfo.db", felder, {"M-ÖL 77", "TTblTermineXyz", "M-ÖL 77"});
    kerntest::zeileAnfuegen(s, F, "KfzTerminInfo.db", felder, {"M-ÖL 77", "kurz", "M-ÖL 77"});
    fake_->usedNames = {"TerminInfo_Kfznr"};
    dbe::TTable &termine = fleet::DataModule1->TTblTermine;
    termine.Last();
    const dbe::TBookmark vorher = termine.GetBookmark();
    katalog().PrintReport(24, fleet::kDrucken);
    EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbPrintFields(")).size(), 1);
    EXPECT_EQ(werte(*fake_, "TbDefineFieldA").filter(QStringLiteral("TerminInfo_Kfznr, ")).last(),
              QStringLiteral("TerminInfo_Kfznr, B-XY 2024"));
    EXPECT_EQ(termine.GetBookmark(), vorher);
    EXPECT_FALSE(termine.ControlsDisabled());
}

TEST_F(KatalogTest, DispatchViewNamesEachOfItsSixChoices)
{
    const char *const sichten[] = {"Alle", "Zeitraum", "Monat", "Tag", "Heute", "Ab heute"};
    for (int i = 0; i < 6; ++i) {
        umgebung_->indexSetzen("HauptFormular", "RadioGrpDispositionSicht", i);
        fake_->clearCalls();
        katalog().PrintReport(13, fleet::kDrucken);
        EXPECT_TRUE(werte(*fake_, "TbDefineVariableA")
                        .contains(QStringLiteral("Sicht, ") + QString::fromLatin1(sichten[i])))
            << i;
    }
}

TEST_F(KatalogTest, AFailingRunLeavesTheTablesResetAndTheCursorRestored)
{
    delete umgebung_->formular(QStringLiteral("AlleFahrzeugeFormular"))
        ->findChild<QLabel *>(QStringLiteral("TComboBoxSort"));
    try {
        katalog().PrintReport(5, fleet::kDrucken);
        ADD_FAILURE() << "no error";
    } catch (const reporting::EFormularFehlt &fehler) {
        EXPECT_EQ(QString::fromUtf8(fehler.what()),
                  QStringLiteral("Das Formular „AlleFahrzeugeFormular“ hat kein Element „TComboBoxSort“."));
    }
    EXPECT_TRUE(inRuhe(var()));
    EXPECT_TRUE(inRuhe(var1()));
    EXPECT_EQ(ui::hourglassDepth(), 0);

    // A row that cannot be defined ends the engine's run too: the next report finds the job free.
    fleet::DataModule1->TTblTermine.Close();
    fake_->clearCalls();
    EXPECT_THROW(katalog().PrintReport(24, fleet::kDrucken), std::exception);
    EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbPrintEnd")).size(), 1);
    EXPECT_TRUE(inRuhe(var()));
    EXPECT_TRUE(inRuhe(var1()));
    EXPECT_EQ(ui::hourglassDepth(), 0);
}

TEST_F(KatalogTest, ClientFormPrintsAndPreviewsThroughTheCatalogueInForce)
{
    const fleet::DienstInKraft<fleet::ReportDienste> inKraft(katalog());
    auto *form =
        static_cast<fleet::TMandantenFormular *>(umgebung_->formular(QStringLiteral("MandantenFormular")));
    // The user opens the form: its buttons follow the service in force.
    form->show();
    form->RadioGrpMandantDrucken->setItemIndex(0);
    ASSERT_TRUE(form->BitBtnMandantDrucken->isEnabled());
    form->BitBtnMandantDrucken->click();
    EXPECT_EQ(start().section(QStringLiteral(", "), 1, 3), QStringLiteral("3, Mandant.crd, 256"));
    fake_->clearCalls();
    form->RadioGrpMandantDrucken->setItemIndex(1);
    form->BitBtnMandantPreview->click();
    EXPECT_EQ(start().section(QStringLiteral(", "), 1, 3), QStringLiteral("2, MandLst.lst, 512"));
    EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbPreviewDisplayA")).size(), 1);
}

} // namespace

namespace {

TEST_F(KatalogTest, TheVersion14ComponentLivesBesideTheCatalogueAndTheExportFormIsMadeOnce)
{
    reporting::TTb14_ *tb = katalog().Tb11_1();
    ASSERT_TRUE(tb);
    EXPECT_EQ(tb->objectName(), QStringLiteral("Tb11_1"));
    EXPECT_EQ(tb->parent(), umgebung_->formular(QStringLiteral("HauptFormular")));
    EXPECT_EQ(tb->SortVariables(), reporting::TPropYesNo::Yes);
    EXPECT_EQ(tb->CompressStorage(), reporting::TPropYesNo::Yes);
    EXPECT_EQ(tb->Buttons3D(), reporting::TPropYesNo::No);
    EXPECT_EQ(tb->ButtonsWithBitmaps(), reporting::TPropYesNo::No);

    // Shown modally each time; the same form the second time.
    QList<QWidget *> gezeigt;
    const auto schliessen = [&gezeigt] {
        QWidget *w = QApplication::activeModalWidget();
        gezeigt << w;
        if (w)
            w->close();
    };
    QTimer::singleShot(0, schliessen);
    katalog().ExportFormularZeigen();
    EXPECT_TRUE(fleet::ExportFormularErzeugt);
    QTimer::singleShot(0, schliessen);
    katalog().ExportFormularZeigen();
    ASSERT_EQ(gezeigt.size(), 2);
    ASSERT_TRUE(gezeigt[0]);
    EXPECT_EQ(gezeigt[0]->objectName(), QStringLiteral("ExportFormular"));
    EXPECT_EQ(gezeigt[0]->windowTitle(), QStringLiteral("Datenexport"));
    EXPECT_EQ(gezeigt[0], gezeigt[1]);
}

} // namespace
