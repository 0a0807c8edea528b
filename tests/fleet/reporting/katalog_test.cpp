// The report catalogue over the recording engine, a fleet in SQLite and stand-in forms.
#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

#include "DataModule1.h"
#include "DataModuleFahrer.h"
#include "FakeEngine.h"
#include "FormularWerte.h"
#include "HauptFormular.h"
#include "ReportGlobale.h"
#include "Tb6.h"
#include "katalog_umgebung.h"
#include "navigation/DBVexarion.h"
#include "reportengine/EngineTypes.h"
#include "ui/Hourglass.h"
#include "ui/testing/ScriptedMessages.h"

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
    bool offen = false, gefiltert = false;
    int zeilen = -1;
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
    if (s.offen)
        s.zeilen = const_cast<dbe::TTable &>(t).RecordCount();
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
    QString start() const { return fake_->callsStartingWith(QStringLiteral("TbPrintWithBoxStartA")).value(0); }
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
        {9, "TourAusw.lst", 2, "KfzTour.db", "Fuhrpark", "", "", false, "KfzStamm.db", "TourAuswertungFormular"},
        {10, "Mon_UebK.lst", 2, "KfzMonat.db", "Fuhrpark", "KfzNr", "KfzNr", false, "", "HauptFormular"},
        {11, "Reifen.lst", 2, "KfzStamm.db", "Fuhrpark", "", "", false, "KfzReif.db", "HauptFormular"},
        {12, "Historie.lst", 2, "KfzHisto.db", "Fuhrpark", "", "KfzNr", false, "", "HauptFormular"},
        {13, "Dispo.lst", 2, "KfzDispo.db", "Fuhrpark", "", "KfzNr", false, "", "HauptFormular"},
        {14, nullptr, 0, "", "", "", "", false, "", ""},
        {15, "FaHist.lst", 2, "KfzFaHis.db", "Fuhrpark", "", "Name", false, "", "FahrerStammdatenFormular"},
        {16, "FaStaLis.lst", 2, "KfzFahrer.db", "Fuhrpark", "", "", false, "", "FahrerStammdatenFormular"},
        {17, "FaStamm.crd", 3, "", "Fuhrpark", "", "", false, "", "FahrerStammdatenFormular"},
        {18, "FaTour.lst", 2, "KfzTour.db", "Fuhrpark", "", "", false, "KfzStamm.db", "FahrerStammdatenFormular"},
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
        EXPECT_EQ(start().section(QStringLiteral(", "), 1, 2), QStringLiteral("%1, %2").arg(e.objektArt).arg(e.projekt));
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

} // namespace
