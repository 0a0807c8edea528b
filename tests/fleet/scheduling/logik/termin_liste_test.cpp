// The due list's rebuild, note cleanup, workshop check and roll-forward over a
// real data module in a fresh home.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include "FensterAttrappe.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Field.h"
#include "dbe/Session.h"
#include "dbe/detail/Database.h"
#include "formulare/HauptFormular.h"
#include "kern_umgebung.h"
#include "logik/FaelligeTermine.h"
#include "logik/TerminFortschreibung.h"
#include "logik/TerminInfoDaten.h"
#include "logik/TerminRegeln.h"
#include "regeln/Terminarten.h"
#include "termin_umgebung.h"
#include "ui/testing/ScriptedMessages.h"

using base::encodeDate;
using fleet::termine::FaelligeTermine;
using fleet::termine::ListenStand;
using fleet::termine::ListenVorgaben;

namespace {

// Messages of these tests: an unexpected box fails the test.
void failGTest(const QString &grund)
{
    ADD_FAILURE() << grund.toStdString();
}

ListenVorgaben vorgaben(bool auUeberwacht = false)
{
    ListenVorgaben v;
    v.stichtagVon = encodeDate(2023, 3, 15);
    v.stichtagBis = encodeDate(2024, 3, 15);
    v.schwellen = {30, 1000, 10, 500};
    v.beobachtet.fill(true);
    v.beobachtet[1] = auUeberwacht; // AU
    return v;
}

// HU due in the period (with a note on exactly that value), AU due but
// not watched; B-2: HU after the period, small inspection reached within the
// warning km; C-3: nothing due.
class TerminListeTest : public ::testing::Test {
protected:
    termintest::TerminUmgebung u;

    void SetUp() override
    {
        u.fahrzeug("A-1", 10000,
                   {{"KfzTUEVTermin", encodeDate(2024, 3, 1)}, {"KfzASUTermin", encodeDate(2024, 2, 1)}},
                   "Kombi Außendienst");
        u.fahrzeug("B-2", 29500,
                   {{"KfzTUEVTermin", encodeDate(2025, 6, 1)}, {"KfzKlInspektionTermin", 30000}});
        u.fahrzeug("C-3", 100, {{"KfzTUEVTermin", encodeDate(2026, 1, 1)}, {"KfzGrInspektionTermin", 60000}});
    }

    QString zelle(const QString &kfzNr, const QString &feld)
    {
        dbe::TTable &l = u.dm().TTblTermine;
        if (!l.Locate("KfzNr", kfzNr))
            return "<keine Zeile>";
        return l.FieldByName(feld)->AsString();
    }
};

TEST_F(TerminListeTest, RebuildListsOnlyVehiclesWithADueWatchedKind)
{
    u.notiz("A-1", "TTblTermineTUEVTermin", "01.03.2024");
    u.notiz("A-1", "TTblTermineTUEVTermin", "02.03.2024"); // another value
    u.notiz("a-1", "TTblTermineKlInspektionTermin", "30000");
    u.notiz("B-2", "TTblTermineGrInspektionTermin", "30000"); // another kind
    FaelligeTermine aufbau(u.dm());
    int schritte = 0, anzahl = -1;
    aufbau.fortschrittBeginn = [&](int n) { anzahl = n; };
    aufbau.fortschrittSchritt = [&] { ++schritte; };
    const ListenStand stand = aufbau.einlesen(vorgaben());

    EXPECT_FALSE(stand.loeschFehler);
    EXPECT_FALSE(stand.einleseFehler);
    EXPECT_EQ(stand.zeilen, 2);
    EXPECT_EQ(anzahl, 3);
    EXPECT_EQ(schritte, 3);
    EXPECT_EQ(zelle("A-1", "TUEVTermin"), "01.03.2024");
    EXPECT_EQ(zelle("A-1", "Info"), "Kombi Außendienst");
    EXPECT_EQ(zelle("A-1", "TUEVTerminInfo"), "Wahr");
    EXPECT_EQ(zelle("A-1", "ASUTermin"), ""); // unwatched
    EXPECT_EQ(zelle("B-2", "TUEVTermin"), "");
    EXPECT_EQ(zelle("B-2", "KlInspektionTermin"), "30000");
    EXPECT_EQ(zelle("B-2", "KlInspektionTerminInfo"), "Falsch");
    EXPECT_EQ(zelle("B-2", "KfzKmStand"), "29500");
    EXPECT_EQ(zelle("C-3", "KfzNr"), "<keine Zeile>");

    EXPECT_FALSE(u.dm().TTblTermine.FieldByName("ASUTermin")->Visible());
    EXPECT_TRUE(u.dm().TTblTermine.FieldByName("TUEVTermin")->Visible());
    EXPECT_EQ(stand.sortIndexNamen.size(), 24);
    EXPECT_EQ(stand.sortIndexNamen[3], "Tuev");
    EXPECT_EQ(stand.sortIndexNamen[3 + 5], "KlInspek");
    EXPECT_EQ(stand.sortIndexNamen[3 + 6], ""); // nobody listed for the big inspection
    EXPECT_EQ(stand.sortIndexNamen[0], "");
    // The scratch tables are back at rest.
    EXPECT_FALSE(u.dm().TTblVar.Active());
    EXPECT_FALSE(u.dm().TTblVar1.Active());

    // A second rebuild starts from an empty table.
    EXPECT_EQ(aufbau.einlesen(vorgaben(true)).zeilen, 2);
    EXPECT_EQ(zelle("A-1", "ASUTermin"), "01.02.2024");
}

// The list is emptied and refilled in one commit of its storage (one flush to disk), on its first
// rebuild and on every one after, however many vehicles it lists.
TEST_F(TerminListeTest, RebuildCommitsOnceWhateverTheRowCount)
{
    dbe::TTable &liste = u.dm().TTblTermine;
    sqlite3 *speicher = liste.Session().databaseFor(liste.DatabaseName()).handle();
    int commits = 0;
    sqlite3_commit_hook(
        speicher,
        [](void *zaehler) {
            ++*static_cast<int *>(zaehler);
            return 0;
        },
        &commits);
    FaelligeTermine aufbau(u.dm());
    struct Fall {
        int weitere; // vehicles added before the rebuild, each with its HU due
        int zeilen;
    };
    int hinzu = 0;
    for (const Fall f : {Fall{0, 2}, Fall{0, 2}, Fall{25, 27}}) {
        SCOPED_TRACE(f.zeilen);
        for (int i = 0; i < f.weitere; ++i, ++hinzu)
            u.fahrzeug(QStringLiteral("X-%1").arg(hinzu), 500, {{"KfzTUEVTermin", encodeDate(2024, 1, 10)}});
        commits = 0;
        const ListenStand stand = aufbau.einlesen(vorgaben());
        EXPECT_EQ(stand.zeilen, f.zeilen);
        EXPECT_EQ(commits, 1);
        EXPECT_FALSE(liste.Session().InTransaction(liste.DatabaseName()));
    }
    sqlite3_commit_hook(speicher, nullptr, nullptr);
}

// Every kind at and beside the edges of its due rule, on several vehicles,
// watched and unwatched: the list holds exactly the cells the rule lets
// through, each with the master's text and its note flag, and a row only for
// a vehicle with at least one of them.
TEST(TerminListeRegelTest, EveryKindAtItsEdgesIsListedExactlyAsTheRuleSays)
{
    termintest::TerminUmgebung u;
    const QList<fleet::Terminart> &arten = fleet::Terminarten();
    ListenVorgaben v = vorgaben(true);
    const double von = v.stichtagVon + v.schwellen.vorwarnTage;
    const double bis = v.stichtagBis + v.schwellen.vorwarnTage;
    // Each list's last case leaves the field empty.
    const QList<double> tage{von, bis, von - 1, bis + 1, bis + 0.75, von - 0.25, 0};
    // Odometer values against a reading of 20000 (5000 for one vehicle).
    const QList<double> km{21000, 21001, 20999.5, 21000.4, 21500, 15000, 0};
    const int fahrzeuge = 9;
    for (int f = 0; f < fahrzeuge; ++f) {
        QMap<QString, QVariant> werte;
        for (int i = 0; i < arten.size(); ++i) {
            const int fall = (i + f) % tage.size();
            // Vehicle 8 has no appointment at all.
            if (fall == tage.size() - 1 || f == 8)
                continue;
            werte[arten[i].stammFeld] = arten[i].km ? QVariant(km[fall]) : QVariant(tage[fall]);
        }
        u.fahrzeug(QStringLiteral("E-%1").arg(f), f == 7 ? 5000 : 20000, werte,
                   QStringLiteral("Fahrzeug Nr. %1 Außendienst").arg(f));
    }
    // Vehicles with a single appointment: each case on its own, on a watched
    // date kind and a watched odometer kind.
    for (int i = 1; i < arten.size(); i += 3)
        v.beobachtet[static_cast<size_t>(i)] = false;
    QList<int> datum, kilometer;
    for (int i = 0; i < arten.size(); ++i)
        if (v.beobachtet[static_cast<size_t>(i)])
            (arten[i].km ? kilometer : datum) << i;
    for (int fall = 0; fall + 1 < tage.size(); ++fall) {
        const fleet::Terminart &d = arten[datum[(fall * 5) % datum.size()]];
        const fleet::Terminart &k = arten[kilometer[fall % kilometer.size()]];
        u.fahrzeug(QStringLiteral("D-%1").arg(fall), 20000, {{d.stammFeld, tage[fall]}});
        u.fahrzeug(QStringLiteral("K-%1").arg(fall), 20000, {{k.stammFeld, km[fall]}});
        for (const auto &[nr, art] :
             {std::pair{QStringLiteral("D-%1"), &d}, std::pair{QStringLiteral("K-%1"), &k}})
            u.notiz(nr.arg(fall), art->terminName(), u.stammWert(nr.arg(fall), art->stammFeld));
    }
    // Notes on some listed values, on values beside them and on other vehicles.
    u.notiz("E-0", arten[0].terminName(), u.stammWert("E-0", arten[0].stammFeld));
    u.notiz("E-1", arten[5].terminName(), u.stammWert("E-1", arten[5].stammFeld));
    u.notiz("E-2", arten[5].terminName(), "1");
    u.notiz("E-3", arten[0].terminName(), u.stammWert("E-4", arten[0].stammFeld));
    u.notiz("E-4", arten[20].terminName(), u.stammWert("E-4", arten[20].stammFeld));
    // Quotes and a backslash in the vehicle number are plain text to the list.
    const QString zeichen = QStringLiteral("O'N\"l\\1");
    u.fahrzeug(zeichen, 20000, {{arten[0].stammFeld, bis}, {arten[5].stammFeld, 21000}});
    u.notiz(zeichen, arten[0].terminName(), u.stammWert(zeichen, arten[0].stammFeld));

    const ListenStand stand = FaelligeTermine(u.dm()).einlesen(v);
    ASSERT_FALSE(stand.einleseFehler);
    ASSERT_FALSE(stand.notizFehler);

    dbe::TTable stamm(&u.session()), notizen(&u.session());
    stamm.SetDatabaseName(fleet::kAliasFuhrpark);
    stamm.SetTableName("KfzStamm.db");
    stamm.Open();
    notizen.SetDatabaseName(fleet::kAliasFuhrpark);
    notizen.SetTableName("KfzTerminInfo.db");
    notizen.Open();
    dbe::TTable &liste = u.dm().TTblTermine;
    int zeilen = 0, zellen = 0;
    QStringList sortIndizes(24);
    for (stamm.First(); !stamm.Eof(); stamm.Next()) {
        const QString nr = stamm.FieldByName("KfzNr")->AsString();
        const double kmStand = stamm.FieldByName("KfzKmStand")->AsFloat();
        QMap<QString, QString> erwartet;
        for (int i = 0; i < arten.size(); ++i) {
            const fleet::Terminart &a = arten[i];
            dbe::TField *wert = stamm.FieldByName(a.stammFeld);
            if (!v.beobachtet[static_cast<size_t>(i)] || wert->IsNull())
                continue;
            const bool faellig =
                a.km ? fleet::termine::KmFaellig(wert->AsFloat(), kmStand, v.schwellen.vorwarnKm)
                     : fleet::termine::DatumFaellig(wert->AsDateTime(), v.stichtagVon, v.stichtagBis,
                                                    v.schwellen.vorwarnTage);
            if (faellig) {
                erwartet[a.feld] = wert->AsString();
                sortIndizes[3 + i] = a.sortIndex;
            }
        }
        SCOPED_TRACE(nr.toStdString());
        ASSERT_EQ(liste.Locate("KfzNr", nr), !erwartet.isEmpty());
        if (erwartet.isEmpty())
            continue;
        ++zeilen;
        EXPECT_EQ(liste.FieldByName("Info")->AsString(), stamm.FieldByName("Info")->AsString());
        EXPECT_EQ(liste.FieldByName("KfzKmStand")->AsFloat(), kmStand);
        for (const fleet::Terminart &a : arten) {
            SCOPED_TRACE(a.feld.toStdString());
            const QString text = erwartet.value(a.feld);
            EXPECT_EQ(liste.FieldByName(a.feld)->AsString(), text);
            if (text.isEmpty())
                continue;
            ++zellen;
            EXPECT_EQ(liste.FieldByName(a.infoFeld())->AsBoolean(),
                      notizen.Locate("Kfznr;TerminName;Terminwert", {nr, a.terminName(), text}));
        }
    }
    EXPECT_EQ(stand.zeilen, zeilen);
    EXPECT_EQ(stand.sortIndexNamen, sortIndizes);
    // The fixture reaches both sides of every rule.
    EXPECT_GT(zeilen, 3);
    EXPECT_LT(zeilen, stamm.RecordCount());
    EXPECT_GT(zellen, 20);
}

TEST_F(TerminListeTest, CleanupDeletesOnlyNotesWhoseListedValueMovedOn)
{
    u.notiz("A-1", "TTblTermineTUEVTermin", "01.01.2000"); // two stale notes in a row
    u.notiz("A-1", "TTblTermineTUEVTermin", "01.02.2000");
    u.notiz("A-1", "TTblTermineTUEVTermin", "01.03.2024"); // the listed value
    u.notiz("A-1", "TTblTermineASUTermin", "01.01.2020");  // unwatched kind
    u.notiz("B-2", "TTblTermineTUEVTermin", "01.06.2025"); // empty cell
    u.notiz("Z-9", "TTblTermineTUEVTermin", "01.01.2020"); // vehicle without a row
    FaelligeTermine(u.dm()).einlesen(vorgaben());

    EXPECT_EQ(fleet::termine::TerminInfosBereinigen(u.dm()), 2);
    EXPECT_EQ(u.notizen(), 4);
    EXPECT_FALSE(u.dm().TTblVar.Active());
    EXPECT_FALSE(u.dm().TTblTermine.ControlsDisabled());
}

TEST_F(TerminListeTest, WorkshopDateNearReadsTheAgreedDates)
{
    const auto heute = encodeDate(2024, 5, 10);
    u.notiz("A-1", "TTblTermineTUEVTermin", "01.03.2024", heute + 4);
    u.notiz("A-2", "TTblTermineTUEVTermin", "01.03.2024", heute - 1);
    EXPECT_FALSE(fleet::termine::WerkstattTerminBald(u.dm(), heute));
    // Today and three days on are near, at any hour of today.
    EXPECT_TRUE(fleet::termine::WerkstattTerminBald(u.dm(), heute - 1 + 0.75));
    EXPECT_TRUE(fleet::termine::WerkstattTerminBald(u.dm(), heute + 1));
    u.notiz("B-2", "TTblTermineTUEVTermin", "01.03.2024", heute + 3);
    EXPECT_TRUE(fleet::termine::WerkstattTerminBald(u.dm(), heute));
    EXPECT_TRUE(fleet::termine::WerkstattTerminBald(u.dm(), heute + 0.5));
    EXPECT_FALSE(u.dm().TTblVar.Active());
    EXPECT_TRUE(u.dm().TTblVar.IndexName().isEmpty());
}

// Roll-forward against the recording window.
class FortschreibungTest : public TerminListeTest {
protected:
    termintest::FensterAttrappe fenster;
    ui::testing::ScriptedMessages meldungen{failGTest};
    int aufgebaut = 0;
    fleet::termine::TerminFortschreibung lauf{u.dm(), [this] { ++aufgebaut; }};

    void SetUp() override
    {
        TerminListeTest::SetUp();
        fleet::NurLesen = false;
        fleet::LeseModus = false;
        fleet::TerminMeldungZeigen = true;
    }
    void TearDown() override
    {
        fleet::NurLesen = false;
        fleet::LeseModus = false;
        EXPECT_TRUE(meldungen.verifyDone());
    }
    static fleet::termine::FortschreibZelle huZelle() { return {"A-1", "TUEVTermin", "HU", "01.03.2024"}; }
};

TEST_F(FortschreibungTest, SingleRunGuardsInTheirOrder)
{
    const QString leserechte = "Sie haben nur Leserechte!";
    struct Fall {
        bool nurLesen, leseModus, leer;
        fleet::termine::FortschreibZelle zelle;
        QString meldung;
    } const faelle[] = {
        {true, false, true, {"A-1", "Info", "Info", "x"}, leserechte},
        {false, true, false, huZelle(), leserechte},
        {false, false, true, huZelle(), "Es befinden sich keine Fahrzeugtermine in der Tabelle"},
        {false,
         false,
         false,
         {"A-1", "KfzKmStand", "Km. Stand", "1"},
         "Es ist kein einzelner Termin markiert - bitte klicken Sie zunächst in das gewünschte Terminfeld"},
        {false, false, false, {"A-1", "ASUTermin", "AU", ""}, "Dieses Terminfeld ist leer.."},
    };
    for (const Fall &f : faelle) {
        fleet::NurLesen = f.nurLesen;
        fleet::LeseModus = f.leseModus;
        meldungen.expectInformation(f.meldung);
        lauf.Einzeltermin(f.leer, f.zelle);
    }
    fleet::NurLesen = fleet::LeseModus = false;
    meldungen.expectQuestion(
        "Möchten Sie wirklich den HU-Termin 01.03.2024 des markierten Fahrzeugs A-1 fortschreiben", false);
    lauf.Einzeltermin(false, huZelle());
    EXPECT_TRUE(fenster.aufrufe.isEmpty());
    EXPECT_EQ(aufgebaut, 0);
}

TEST_F(FortschreibungTest, SingleRunRollsUnderTheLockWithMessagesQuiet)
{
    bool meldungenWaehrend = true;
    QString wer;
    fenster.beimFortschreiben = [&](const QString &) {
        meldungenWaehrend = fleet::TerminMeldungZeigen;
        wer = u.dm().TTblMain.FieldByName("KfzNr")->AsString();
        EXPECT_EQ(kerntest::ZweiterArbeitsplatz::einmal("sperrversuch", fleet::kAliasFuhrpark, "KfzStamm.db"),
                  "nein");
    };
    u.dm().TTblMain.First(); // on C-3's neighbour, not on A-1
    u.dm().TTblMain.Last();
    meldungen.expectQuestion(
        "Möchten Sie wirklich den HU-Termin 01.03.2024 des markierten Fahrzeugs A-1 fortschreiben", true);
    lauf.Einzeltermin(false, huZelle());
    EXPECT_EQ(fenster.aufrufe, QStringList({"TerminFortschreiben(EditTUEVTermin)"}));
    EXPECT_EQ(wer, "A-1");
    EXPECT_FALSE(meldungenWaehrend);
    EXPECT_TRUE(fleet::TerminMeldungZeigen);
    EXPECT_EQ(aufgebaut, 1);
    EXPECT_EQ(kerntest::ZweiterArbeitsplatz::einmal("sperrversuch", fleet::kAliasFuhrpark, "KfzStamm.db"),
              "ja");
    EXPECT_FALSE(u.dm().TTblMain.ControlsDisabled());
}

TEST_F(FortschreibungTest, AFailureInsideStillReleasesTheLockAndTheMessages)
{
    fenster.beimFortschreiben = [](const QString &) { throw std::runtime_error("kaputt"); };
    meldungen.expectQuestion(
        "Möchten Sie wirklich den HU-Termin 01.03.2024 des markierten Fahrzeugs A-1 fortschreiben", true);
    EXPECT_THROW(lauf.Einzeltermin(false, huZelle()), std::runtime_error);
    EXPECT_TRUE(fleet::TerminMeldungZeigen);
    EXPECT_FALSE(u.dm().TTblMain.ControlsDisabled());
    EXPECT_EQ(kerntest::ZweiterArbeitsplatz::einmal("sperrversuch", fleet::kAliasFuhrpark, "KfzStamm.db"),
              "ja");
}

TEST_F(FortschreibungTest, ALockHeldElsewhereChangesNothing)
{
    kerntest::ZweiterArbeitsplatz anderer("sperren", fleet::kAliasFuhrpark, "KfzStamm.db");
    ASSERT_TRUE(anderer.bereit());
    meldungen.expectQuestion(
        "Möchten Sie wirklich den HU-Termin 01.03.2024 des markierten Fahrzeugs A-1 fortschreiben", true);
    meldungen.expectInformation(
        "Haupttabelle konnte zur Zeit für die folgende Änderung nicht gesperrt werden - "
        "versuchen Sie es gleich noch einmal..");
    lauf.Einzeltermin(false, huZelle());
    meldungen.expectQuestion("Möchten Sie wirklich alle Termine der markierten Fahrzeuge fortschreiben",
                             true);
    meldungen.expectInformation(
        "Haupttabelle konnte zur Zeit für die folgenden Änderungen nicht gesperrt werden - "
        "versuchen Sie es gleich noch einmal..");
    lauf.MarkierteFahrzeuge(false, [] {
        return QList<fleet::termine::FortschreibZeile>{{"A-1", {"TUEVTermin"}}};
    });
    EXPECT_TRUE(fenster.aufrufe.isEmpty());
    EXPECT_EQ(aufgebaut, 0);
    EXPECT_TRUE(fleet::TerminMeldungZeigen);
}

TEST_F(FortschreibungTest, AVehicleHiddenByTheFilterIsNotRolledForward)
{
    dbe::TTable &main = u.dm().TTblMain;
    main.SetFilter("KfzNr = 'B-2'");
    main.SetFiltered(true);
    meldungen.expectQuestion(
        "Möchten Sie wirklich den HU-Termin 01.03.2024 des markierten Fahrzeugs A-1 fortschreiben", true);
    meldungen.expectInformation(
        "Das Fahrzeug A-1 wurde nicht gefunden - es wird kein Termin fortgeschrieben");
    lauf.Einzeltermin(false, huZelle());
    EXPECT_TRUE(fenster.aufrufe.isEmpty());

    // Marked run: A-1 is skipped silently, B-2 rolls its kinds in the kinds' order.
    QStringList wer;
    fenster.beimFortschreiben = [&](const QString &) { wer << main.FieldByName("KfzNr")->AsString(); };
    meldungen.expectQuestion("Möchten Sie wirklich alle Termine der markierten Fahrzeuge fortschreiben",
                             true);
    lauf.MarkierteFahrzeuge(false, [] {
        return QList<fleet::termine::FortschreibZeile>{
            {"A-1", {"TUEVTermin"}}, {"B-2", {"FreierTermin1", "KlInspektionTermin", "TUEVTermin"}}};
    });
    EXPECT_EQ(fenster.aufrufe, QStringList({"TerminFortschreiben(EditTUEVTermin)",
                                            "TerminFortschreiben(EditKlInspektionTermin)",
                                            "TerminFortschreiben(EditFreierTermin1)"}));
    EXPECT_EQ(wer, QStringList({"B-2", "B-2", "B-2"}));
    EXPECT_EQ(aufgebaut, 2);
}

} // namespace
