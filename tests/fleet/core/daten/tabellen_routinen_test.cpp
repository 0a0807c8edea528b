#include <gtest/gtest.h>

#include <QStringList>
#include <QtGlobal>

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Hilfstabellen.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Table.h"
#include "kern_umgebung.h"
#include "regeln/FahrzeugFilter.h"
#include "regeln/NumerischePruefung.h"
#include "regeln/TerminNotizen.h"

namespace {

using fleet::TDataModule1;
using kerntest::Umgebung;
using kerntest::zeileAnfuegen;
using kerntest::ZweiterArbeitsplatz;

void importZeile(Umgebung &u, const QString &kennzeichen)
{
    zeileAnfuegen(u.session(), fleet::kAliasFuhrparkPriv, "TImport.db", {"Kennzeichen"}, {kennzeichen});
}

TEST(TabelleLeeren, EmptiesTheTableAndLeavesItOpenForUse)
{
    Umgebung u;
    importZeile(u, "A");
    importZeile(u, "B");
    dbe::TTable t(&u.session());
    t.SetDatabaseName(fleet::kAliasFuhrparkPriv);
    t.SetTableName("TImport.db");
    t.Open();
    ASSERT_EQ(t.RecordCount(), 2);
    EXPECT_TRUE(fleet::TabelleLeeren(t));
    EXPECT_TRUE(t.Active());
    EXPECT_FALSE(t.Exclusive());
    EXPECT_EQ(t.RecordCount(), 0);
    EXPECT_EQ(ZweiterArbeitsplatz::einmal("zaehlen", fleet::kAliasFuhrparkPriv, "TImport.db"), "0");
}

TEST(TabelleLeeren, RefusedWhileAnotherWorkstationHasTheTableOpen)
{
    Umgebung u;
    importZeile(u, "A");
    dbe::TTable t(&u.session());
    t.SetDatabaseName(fleet::kAliasFuhrparkPriv);
    t.SetTableName("TImport.db");
    t.Open();
    {
        ZweiterArbeitsplatz anderer("offen", fleet::kAliasFuhrparkPriv, "TImport.db");
        ASSERT_TRUE(anderer.bereit());
        EXPECT_FALSE(fleet::TabelleLeeren(t));
        // Reopened for the caller, not exclusively, with its rows.
        EXPECT_TRUE(t.Active());
        EXPECT_FALSE(t.Exclusive());
        EXPECT_EQ(t.RecordCount(), 1);
    }
    EXPECT_TRUE(fleet::TabelleLeeren(t));
    EXPECT_EQ(t.RecordCount(), 0);
}

// What the fleet trace logs while it lives.
class FleetSpur {
public:
    FleetSpur()
    {
        zeilen_ = &zeilen;
        vorher_ =
            qInstallMessageHandler([](QtMsgType typ, const QMessageLogContext &ort, const QString &text) {
                if (typ == QtWarningMsg && qstrcmp(ort.category, "karvenfp.fleet") == 0)
                    *zeilen_ << text;
            });
    }
    ~FleetSpur()
    {
        qInstallMessageHandler(vorher_);
        zeilen_ = nullptr;
    }
    QStringList zeilen;

private:
    static inline QStringList *zeilen_ = nullptr;
    QtMessageHandler vorher_;
};

TEST(TabelleSperren, WriteLockIsSharedBetweenWorkstations)
{
    Umgebung u;
    dbe::TTable t(&u.session());
    t.SetDatabaseName(fleet::kAliasFuhrpark);
    t.SetTableName("KfzVar.db");
    t.Open();
    {
        ZweiterArbeitsplatz anderer("sperren", fleet::kAliasFuhrpark, "KfzVar.db");
        ASSERT_TRUE(anderer.bereit());
        FleetSpur spur;
        EXPECT_FALSE(fleet::TabelleSperren(t));
        // The refusal is the answer, and it leaves a trace naming the routine.
        ASSERT_EQ(spur.zeilen.size(), 1);
        EXPECT_TRUE(spur.zeilen[0].contains("TabelleSperren")) << spur.zeilen[0].toStdString();
    }
    ASSERT_TRUE(fleet::TabelleSperren(t));
    EXPECT_EQ(ZweiterArbeitsplatz::einmal("sperrversuch", fleet::kAliasFuhrpark, "KfzVar.db"), "nein");
    EXPECT_TRUE(fleet::TabelleEntsperren(t));
    EXPECT_EQ(ZweiterArbeitsplatz::einmal("sperrversuch", fleet::kAliasFuhrpark, "KfzVar.db"), "ja");
}

// A master for borrowed scratch tables: the stored column order itself.
struct Meister {
    explicit Meister(Umgebung &u) : tabelle(&u.session()), quelle(&tabelle)
    {
        tabelle.SetDatabaseName(fleet::kAliasFuhrparkPriv);
        tabelle.SetTableName("FeldPos.db");
        tabelle.Open();
    }
    dbe::TTable tabelle;
    dbe::TDataSource quelle;
};

// Lends a scratch table as a borrower would: table, index, master link, filter.
void ausleihen(dbe::TTable &t, Meister &m)
{
    t.SetDatabaseName(fleet::kAliasFuhrparkPriv);
    t.SetTableName("FeldPos.db");
    t.SetIndexFieldNames("TabKz");
    t.SetMasterSource(&m.quelle);
    t.SetMasterFields("TabKz");
    t.SetFilter("TabKz = 'Main'");
    t.SetFiltered(true);
    t.OnFilterRecord = [](dbe::TDataSet &, bool &accept) { accept = true; };
    t.Open();
}

bool inRuhe(const dbe::TTable &t)
{
    return !t.Active() && t.DatabaseName() == fleet::kAliasFuhrpark && t.IndexFieldNames().isEmpty() &&
           t.IndexName().isEmpty() && t.MasterSource() == nullptr && t.MasterFields().isEmpty() &&
           t.Filter().isEmpty() && !t.Filtered() && !t.OnFilterRecord;
}

TEST(Hilfstabellen, EveryResetLeavesItsScratchTablesAtRest)
{
    Umgebung u;
    TDataModule1 dm(&u.session());
    fleet::DataModule1 = &dm;
    struct Fall {
        const char *name;
        void (*reset)();
        bool var, var1;
    };
    const Fall faelle[] = {
        {"both", fleet::HilfstabellenZuruecksetzen, true, true},
        {"TTblVar", fleet::HilfstabelleZuruecksetzen, true, false},
        {"TTblVar1", fleet::Hilfstabelle1Zuruecksetzen, false, true},
    };
    Meister m(u);
    for (const Fall &f : faelle) {
        ausleihen(dm.TTblVar, m);
        ausleihen(dm.TTblVar1, m);
        f.reset();
        EXPECT_EQ(inRuhe(dm.TTblVar), f.var) << f.name;
        EXPECT_EQ(inRuhe(dm.TTblVar1), f.var1) << f.name;
        EXPECT_EQ(dm.TTblVar.TableName(), "FeldPos.db") << f.name; // kept for the next borrower
        fleet::HilfstabellenZuruecksetzen();
    }
    fleet::DataModule1 = nullptr;
}

TEST(Hilfstabellen, FailureWithOneScratchTableStillResetsTheOther)
{
    Umgebung u;
    TDataModule1 dm(&u.session());
    fleet::DataModule1 = &dm;
    Meister m(u);
    ausleihen(dm.TTblVar, m);
    ausleihen(dm.TTblVar1, m);
    dm.TTblVar.BeforeClose = [](dbe::TDataSet &) { throw dbe::EDatabaseError("kann nicht schließen"); };
    EXPECT_NO_THROW(fleet::HilfstabellenZuruecksetzen());
    EXPECT_TRUE(inRuhe(dm.TTblVar1));
    EXPECT_FALSE(dm.TTblVar.Filtered());
    dm.TTblVar.BeforeClose = nullptr;
    fleet::HilfstabellenZuruecksetzen();
    EXPECT_TRUE(inRuhe(dm.TTblVar));
    fleet::DataModule1 = nullptr;
}

void notiz(Umgebung &u, const QString &kfz, const QString &name, const QString &wert)
{
    zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzTerminInfo.db",
                  {"Kfznr", "TerminName", "TerminWert"}, {kfz, name, wert});
}

TEST(TerminInfoLoeschen, DeletesExactlyTheNoteOfTheOccurrence)
{
    Umgebung u;
    notiz(u, "B-AA 1", "TTblTermineTUEVTermin", "01.03.2025");
    notiz(u, "B-AA 1", "TTblTermineTUEVTermin", "01.03.2027");
    notiz(u, "B-AA 1", "TTblTermineASUTermin", "01.03.2025");
    notiz(u, "B-BB 2", "TTblTermineTUEVTermin", "01.03.2025");
    TDataModule1 dm(&u.session());
    fleet::DataModule1 = &dm;
    // A borrower holds TTblVar meanwhile; the note routine must not touch it.
    dm.TTblVar.SetTableName("KfzStamm.db");
    dm.TTblVar.Open();

    EXPECT_TRUE(fleet::TerminInfoLoeschen("B-AA 1", "TTblTermineTUEVTermin", "01.03.2025", &u.session()));
    EXPECT_FALSE(fleet::TerminInfoLoeschen("B-AA 1", "TTblTermineTUEVTermin", "01.03.2025", &u.session()));
    EXPECT_FALSE(fleet::TerminInfoLoeschen("b-aa 1", "TTblTermineASUTermin", "01.03.2025", &u.session()));
    EXPECT_TRUE(dm.TTblVar.Active());
    EXPECT_EQ(dm.TTblVar.TableName(), "KfzStamm.db");

    dbe::TTable rest(&u.session());
    rest.SetDatabaseName(fleet::kAliasFuhrpark);
    rest.SetTableName("KfzTerminInfo.db");
    rest.Open();
    EXPECT_EQ(rest.RecordCount(), 3);
    EXPECT_FALSE(
        rest.Locate("Kfznr;TerminName;TerminWert", {"B-AA 1", "TTblTermineTUEVTermin", "01.03.2025"}));
    fleet::DataModule1 = nullptr;
}

TEST(FahrzeugFilterRecord, TestsMembershipWithoutMovingTheVehicleTable)
{
    Umgebung u;
    for (const auto &[kfz, gruppe] :
         {std::pair{"A-1", "Pkw"}, {"A-2", "Lkw"}, {"A-3", "Pkw"}, {"A-4", "Lkw"}})
        zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr", "Gruppe"}, {kfz, gruppe});
    for (const char *kfz : {"A-1", "A-2", "A-3", "A-4", "X-9"})
        zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzDispo.DB", {"Kfznr", "DatumVon"},
                      {kfz, base::encodeDate(2024, 6, 1)});
    TDataModule1 dm(&u.session());
    int scrolls = 0;
    dm.TTblMainAfterScroll = [&scrolls](dbe::TDataSet &) { ++scrolls; };
    dm.TTblMain.SetFilter("Gruppe = 'Pkw'");
    dm.TTblMain.SetFiltered(true);
    dm.TTblMain.Last();
    ASSERT_EQ(dm.TTblMain.FieldByName("KfzNr")->AsString(), "A-3");
    scrolls = 0;

    dbe::TTable buchungen(&u.session());
    buchungen.SetDatabaseName(fleet::kAliasFuhrpark);
    buchungen.SetTableName("KfzDispo.DB");
    buchungen.Open();
    for (int auswahl : {0, 1, 2}) {
        QStringList angenommen;
        for (buchungen.First(); !buchungen.Eof(); buchungen.Next()) {
            bool accept = false;
            fleet::FahrzeugFilterRecord(buchungen, accept, auswahl, dm.Fahrzeugfilter());
            if (accept)
                angenommen << buchungen.FieldByName("Kfznr")->AsString();
        }
        const QStringList erwartet =
            auswahl == 2 ? QStringList{"A-1", "A-3"} : QStringList{"A-1", "A-2", "A-3", "A-4", "X-9"};
        EXPECT_EQ(angenommen, erwartet) << auswahl;
    }
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(dm.TTblMain.FieldByName("KfzNr")->AsString(), "A-3");

    const auto annehmen = [&](const QString &kfz) {
        EXPECT_TRUE(buchungen.Locate("Kfznr", kfz)) << kfz.toStdString();
        bool accept = false;
        fleet::FahrzeugFilterRecord(buchungen, accept, 2, dm.Fahrzeugfilter());
        return accept;
    };
    // A changed filter is taken at the next test.
    dm.TTblMain.SetFilter("Gruppe = 'Lkw'");
    EXPECT_FALSE(annehmen("A-1"));
    EXPECT_TRUE(annehmen("A-2"));
    // So is a vehicle that joins the filtered rows later.
    zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr", "Gruppe"}, {"X-9", "Lkw"});
    EXPECT_TRUE(annehmen("X-9"));
    // And a record filter in place of the filter text.
    dm.TTblMain.SetFiltered(false);
    dm.TTblMain.SetFilter(QString());
    dm.TTblMain.OnFilterRecord = [](dbe::TDataSet &d, bool &accept) {
        accept = d.FieldByName("KfzNr")->AsString().endsWith("4");
    };
    dm.TTblMain.SetFiltered(true);
    EXPECT_TRUE(annehmen("A-4"));
    EXPECT_FALSE(annehmen("A-2"));
}

TEST(PruefeNumerisch, AcceptsNumbersAndComplainsOtherwise)
{
    struct Fall {
        const char *text;
        bool numerisch;
    };
    // A dot separates thousands, as fields read typed numbers.
    const Fall faelle[] = {{"12,5", true}, {"12.5", false},   {" 7 ", true},
                           {"-3", true},   {"1E3", true},     {"zwölf", false},
                           {"", false},    {"12,5,1", false}, {"1.000,5", true}};
    for (const Fall &f : faelle) {
        kerntest::MeldungsRekorder meldungen;
        EXPECT_EQ(fleet::PruefeNumerisch(QString::fromUtf8(f.text)), f.numerisch) << f.text;
        const QStringList erwartet =
            f.numerisch ? QStringList() : QStringList{"Bitte geben Sie einen numerischen Wert ein"};
        EXPECT_EQ(meldungen.texte, erwartet) << f.text;
    }
}

} // namespace
