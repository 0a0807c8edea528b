// The shipped projects refer only to names their report defines: each report's preparation runs
// against the program's own tables with a recording engine, and every name of the project must be
// among the names defined (sums of the project and functions aside). Catches typos on either side.
#include <set>

#include <QFile>

#include "ReportDefinierer.h"
#include "ReportFelder.h"
#include "Tb6.h"
#include "daten/schema/Katalog.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "fake_engine_fixture.h"
#include "reportengine/Expression.h"
#include "reportengine/NameTranslation.h"
#include "reportengine/ProjectStore.h"
#include "temp_dir.h"

namespace {

class ProjektNamenTest : public FakeEngineTest {
protected:
    void SetUp() override
    {
        FakeEngineTest::SetUp();
        session_ =
            std::make_unique<dbe::TSession>(QString::fromStdString((dir_.path() / "dbe.cfg").string()));
        for (const char *alias : {"Fuhrpark", "FuhrparkPriv", "FuhrpkMand"})
            session_->AddStandardAlias(QString::fromLatin1(alias), QString::fromStdString(dir_.str()));
        session_->RegisterTables(fleet::SchemaKatalog());
        tb_ = std::make_unique<reporting::TTb6_>();
    }
    // The table with one row, so that every field has a text; opened once per test.
    dbe::TTable &tabelle(const char *name)
    {
        for (const auto &offen : tabellen_)
            if (offen->TableName() == QLatin1String(name))
                return *offen;
        auto t = std::make_unique<dbe::TTable>(session_.get());
        const dbe::TableDef *def = fleet::KatalogTabelle(QString::fromLatin1(name));
        t->SetDatabaseName(def->alias);
        t->SetTableName(def->name);
        t->Open();
        t->Append();
        t->Fields(0)->SetAsString(QStringLiteral("1"));
        t->Post();
        tabellen_.push_back(std::move(t));
        return *tabellen_.back();
    }
    void mandant() { reporting::DefineClientVariables(*tb_, false, {}); }

    // Names of the project that none of the definitions so far gave.
    QStringList undefiniert(const char *projektName) const
    {
        std::set<QString> definiert;
        for (const QString &call : fake_->calls) {
            if (!call.startsWith(QLatin1String("TbDefineVariableA(")) &&
                !call.startsWith(QLatin1String("TbDefineFieldA(")))
                continue;
            const QStringList args = call.mid(call.indexOf(u'(') + 1).split(QStringLiteral(", "));
            definiert.insert(tb::translateName(args.value(1)));
        }
        QFile f(QStringLiteral(":/reports/") + QString::fromLatin1(projektName));
        if (!f.open(QIODevice::ReadOnly))
            return {QStringLiteral("<kein Projekt>")};
        tb::Project project;
        if (!tb::JsonProjectStore::fromJson(f.readAll(), project, nullptr))
            return {QStringLiteral("<fehlerhaftes Projekt>")};
        std::set<QString> summen;
        for (const tb::SumDef &s : project.sums)
            summen.insert(s.name);
        QStringList fehlend;
        for (const QString &source : project.expressions()) {
            const auto e = tb::Expression::parse(source);
            if (!e)
                continue;
            for (const QString &name : e->names()) {
                const QString key = tb::translateName(name);
                if (!definiert.count(key) && !summen.count(name) && !fehlend.contains(key))
                    fehlend << key;
            }
        }
        return fehlend;
    }

    testsupport::TempDir dir_;
    std::unique_ptr<dbe::TSession> session_;
    std::vector<std::unique_ptr<dbe::TTable>> tabellen_;
    std::unique_ptr<reporting::TTb6_> tb_;
};

TEST_F(ProjektNamenTest, Touren)
{
    reporting::DefineTourVariables(*tb_, tabelle("KfzStamm.db"), tabelle("KfzTour.db"));
    mandant();
    reporting::DefineTableFields(*tb_, tabelle("KfzTour.db"));
    EXPECT_EQ(undefiniert("Touren.lst"), QStringList());
}

TEST_F(ProjektNamenTest, Historie)
{
    reporting::DefineVehicleVariables(*tb_, tabelle("KfzStamm.db"));
    mandant();
    reporting::DefineTableFields(*tb_, tabelle("KfzHisto.db"));
    EXPECT_EQ(undefiniert("Historie.lst"), QStringList());
}

TEST_F(ProjektNamenTest, Tankdatenimport)
{
    reporting::DefineClientVariables(*tb_, true, {});
    reporting::DefineFuelImportSampleFields(*tb_);
    EXPECT_EQ(undefiniert("Tankdat.lst"), QStringList());
    // The fuel-import form prints its own staging table with the same project.
    fake_->clearCalls();
    mandant();
    reporting::DefineTableFields(*tb_, tabelle("TImport.db"));
    EXPECT_EQ(undefiniert("Tankdat.lst"), QStringList());
}

TEST_F(ProjektNamenTest, FahrerHistorieUndListe)
{
    reporting::DefineDriverVariables(*tb_, tabelle("KfzFahrer.DB"), {});
    mandant();
    reporting::DefineTableFields(*tb_, tabelle("KfzFaHis.db"));
    EXPECT_EQ(undefiniert("FaHist.lst"), QStringList());

    fake_->clearCalls();
    reporting::DefineClientVariables(*tb_, true, {});
    reporting::DefineTableFields(*tb_, tabelle("KfzFahrer.DB"));
    EXPECT_EQ(undefiniert("FaStaLis.lst"), QStringList());
}

TEST_F(ProjektNamenTest, Schadensmanagement)
{
    reporting::DefineVehicleVariables(*tb_, tabelle("KfzStamm.db"));
    reporting::DefineDamageInfoVariables(*tb_, {QStringLiteral("Schaden")});
    mandant();
    reporting::DefineTableFields(*tb_, tabelle("KfzSchad.db"));
    EXPECT_EQ(undefiniert("Schadensm.lst"), QStringList());
}

TEST_F(ProjektNamenTest, Mandanten)
{
    // Without its fields the list misses exactly the names of its table.
    EXPECT_EQ(undefiniert("MandLst.lst"), (QStringList{"Mandant", "Name1", "Strasse", "Plz", "Ort", "Telefon",
                                                       "Fax", "Internet", "AnzahlFahrzeuge"}));
    reporting::DefineTableFields(*tb_, tabelle("Mandant.db"));
    EXPECT_EQ(undefiniert("MandLst.lst"), QStringList());

    fake_->clearCalls();
    reporting::AlleFelderAlsVariablen(*tb_, tabelle("Mandant.db"), true);
    EXPECT_EQ(undefiniert("Mandant.crd"), QStringList());
}

TEST_F(ProjektNamenTest, MonatsuebersichtStandUndKosten)
{
    for (const char *projekt : {"Mon_Ueb.lst", "Mon_UebK.lst"}) {
        fake_->clearCalls();
        reporting::DefineMonthlyOverviewVariables(*tb_, tabelle("KfzStamm.db"), {}, {});
        mandant();
        reporting::DefineMonthlyOverviewFields(*tb_, tabelle("KfzMonat.DB"), {}, {});
        EXPECT_EQ(undefiniert(projekt), QStringList()) << projekt;
    }
}

TEST_F(ProjektNamenTest, VariableKosten)
{
    reporting::DefineCostVariables(*tb_, tabelle("KfzStamm.db"), tabelle("KfzVar.db"), {});
    mandant();
    reporting::DefineCostFields(*tb_, tabelle("KfzVar.db"), {});
    EXPECT_EQ(undefiniert("VarKost.lst"), QStringList());
}

TEST_F(ProjektNamenTest, FahrzeuglisteUndReifen)
{
    reporting::DefineClientVariables(*tb_, true, {});
    reporting::DefineVehicleListFields(*tb_, tabelle("KfzStamm.db"), {}, {});
    EXPECT_EQ(undefiniert("StammLis.lst"), QStringList());

    fake_->clearCalls();
    reporting::DefineClientVariables(*tb_, true, {});
    reporting::DefineTyreFields(*tb_, tabelle("KfzStamm.db"), tabelle("KfzReif.db"));
    EXPECT_EQ(undefiniert("Reifen.lst"), QStringList());
}

TEST_F(ProjektNamenTest, DispositionUndWerkstattTermine)
{
    reporting::DefineDispatchVariables(*tb_, {}, tabelle("KfzStamm.db"));
    mandant();
    reporting::DefineTableFields(*tb_, tabelle("KfzDispo.DB"));
    EXPECT_EQ(undefiniert("Dispo.lst"), QStringList());

    fake_->clearCalls();
    mandant();
    reporting::DefineWorkshopAppointmentFields(*tb_, tabelle("KfzStamm.db"), tabelle("KfzTerminInfo.db"), {});
    EXPECT_EQ(undefiniert("WerkTerm.lst"), QStringList());
}

TEST_F(ProjektNamenTest, VergleichUndTermine)
{
    reporting::DefineComparisonVariables(*tb_, tabelle("KfzVergl.db"), QStringLiteral("Kosten"));
    mandant();
    reporting::DefineComparisonFields(*tb_, tabelle("KfzStamm.db"), tabelle("KfzVergl.db"));
    EXPECT_EQ(undefiniert("DuFahrz.lst"), QStringList());

    fake_->clearCalls();
    reporting::DefineAppointmentListVariables(*tb_, {});
    mandant();
    reporting::DefineAppointmentListFields(*tb_, tabelle("KfzStamm.db"), tabelle("Termine.DB"), {});
    EXPECT_EQ(undefiniert("Termine.lst"), QStringList());
}

TEST_F(ProjektNamenTest, FuhrparkKostenUndTouren)
{
    reporting::DefineClientVariables(*tb_, true, {});
    reporting::DefineFleetCostFields(*tb_, tabelle("KfzStamm.db"), tabelle("KfzFuKst.db"), {}, {}, {}, {});
    EXPECT_EQ(undefiniert("Fuhrkst.lst"), QStringList());

    const reporting::Werte auswertung{
        {"AnzTouren", "3"}, {"SummeTourenKm", "300"}, {"SummeKosten", "1,00"}, {"SummeErtraege", "2,00"}};
    fake_->clearCalls();
    reporting::DefineClientVariables(*tb_, true, {});
    reporting::DefineTourFields(*tb_, tabelle("KfzStamm.db"), tabelle("KfzTour.db"), auswertung);
    EXPECT_EQ(undefiniert("TourAusw.lst"), QStringList());

    const reporting::Werte fahrer{{"AnzTouren", "3"}, {"SummeTourenKm", "300"}, {"SummeErtraege", "2,00"}};
    fake_->clearCalls();
    reporting::DefineDriverVariables(*tb_, tabelle("KfzFahrer.DB"), {});
    mandant();
    reporting::DefineTourFields(*tb_, tabelle("KfzStamm.db"), tabelle("KfzTour.db"), fahrer);
    EXPECT_EQ(undefiniert("FaTour.lst"), QStringList());
}

TEST_F(ProjektNamenTest, MonatsauswertungAllerFahrzeuge)
{
    reporting::DefineMonthlyAllVehiclesFields(*tb_, QString(), {}, tabelle("KfzStamm.db"),
                                              tabelle("MoAusPrv.DB"));
    mandant();
    EXPECT_EQ(undefiniert("MonAusAF.lst"), QStringList());
    EXPECT_EQ(fake_->callsStartingWith(QStringLiteral("TbDefineVariableA")).value(0),
              QStringLiteral("TbDefineVariableA(%1, Auswertungsmonat, Januar 2000)").arg(tb_->hTbJob()));
}

TEST_F(ProjektNamenTest, Karten)
{
    reporting::DefineMonthlyEvaluationVariables(*tb_, tabelle("KfzStamm.db"), QStringLiteral("01.03.2024"),
                                                {}, {}, {});
    mandant();
    EXPECT_EQ(undefiniert("Mon_Aus.crd"), QStringList());

    fake_->clearCalls();
    reporting::DefineMasterCardVariables(*tb_, tabelle("KfzStamm.db"), true, {}, QString());
    mandant();
    EXPECT_EQ(undefiniert("Stammdat.crd"), QStringList());

    fake_->clearCalls();
    reporting::DefineDriverVariables(*tb_, tabelle("KfzFahrer.DB"), {});
    mandant();
    EXPECT_EQ(undefiniert("FaStamm.crd"), QStringList());

    fake_->clearCalls();
    reporting::AlleFelderAlsVariablen(*tb_, tabelle("KfzStamm.db"), true);
    reporting::DefineAppointmentNoteVariables(*tb_, {});
    mandant();
    EXPECT_EQ(undefiniert("TermInfo.crd"), QStringList());
}

TEST_F(ProjektNamenTest, DispatchViewTexts)
{
    struct Fall {
        int fahrzeuge, sicht;
        bool vonAktiv;
        const char *fahrzeugText, *sichtText, *von;
    };
    const Fall faelle[] = {{0, 0, true, "HH-A 1", "Alle", "01.03.2024"},
                           {1, 2, false, "Alle", "Monat", "n.v."},
                           {2, 4, true, "Fahrzg.-Filter", "Heute", "01.03.2024"}};
    for (const Fall &f : faelle) {
        fake_->clearCalls();
        reporting::DispoAnsicht a;
        a.fahrzeuge = f.fahrzeuge;
        a.kfzNr = QStringLiteral("HH-A 1");
        a.sicht = f.sicht;
        a.datumVon = QStringLiteral("01.03.2024");
        a.datumVonAktiv = f.vonAktiv;
        reporting::DefineDispatchVariables(*tb_, a, tabelle("KfzStamm.db"));
        const QStringList v = fake_->callsStartingWith(QStringLiteral("TbDefineVariableA"));
        const int job = tb_->hTbJob();
        EXPECT_EQ(v.value(1),
                  QStringLiteral("TbDefineVariableA(%1, Fahrzeuge, %2)").arg(job).arg(f.fahrzeugText));
        EXPECT_EQ(v.value(2), QStringLiteral("TbDefineVariableA(%1, Sicht, %2)").arg(job).arg(f.sichtText));
        EXPECT_EQ(v.value(3), QStringLiteral("TbDefineVariableA(%1, Datum von, %2)").arg(job).arg(f.von));
    }
}

} // namespace
