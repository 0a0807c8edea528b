#include <gtest/gtest.h>

#include <memory>

#include <QFileInfo>

#include "base/Abort.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "fenster_attrappe.h"
#include "full_disk_vfs.h"
#include "kern_umgebung.h"
#include "regeln/DispoRegeln.h"
#include "regeln/FahrzeugRegeln.h"
#include "regeln/MonatsSummen.h"
#include "ui/testing/ScriptedMessages.h"

namespace {

using fleet::kAliasFuhrpark;
using fleet::Nachschlagfeld;
using kerntest::zeileAnfuegen;

// Every connection of this test opens through a disk that can be made full.
const bool kVollerDatentraeger = (testsupport::FullDisk::install(), true);

const QString kLeereKfzNr = QStringLiteral("Bitte geben Sie unbedingt eine Kfz.-Nr (Kennzeichen) für das "
                                           "Fahrzeug ein oder brechen Sie die Eingabe ab "
                                           "(X-Symboltaste)");
const QString kSperrMeldung = QStringLiteral("Kann eine oder mehrere Tabellen für diesen Löschvorgang nicht "
                                             "sperren. Warscheinlich werden diese Tabellen gerade "
                                             "von einem anderen Anwender genutzt.Versuchen Sie es gleich "
                                             "noch einmal oder beenden Sie das Programm und starten "
                                             "es erneut und versuchen es dann noch einmal.");

// Rows of a table whose vehicle field holds kfzNr.
int zeilenVon(dbe::TSession &s, const QString &tabelle, const QString &kfzNr,
              const QString &alias = kAliasFuhrpark)
{
    dbe::TTable t(&s);
    t.SetDatabaseName(alias);
    t.SetTableName(tabelle);
    t.Open();
    dbe::TField *feld = t.FieldByName(QStringLiteral("KfzNr"));
    int n = 0;
    for (t.First(); !t.Eof(); t.Next())
        n += feld->AsString() == kfzNr ? 1 : 0;
    return n;
}

int zeilen(dbe::TSession &s, const QString &alias, const QString &tabelle)
{
    dbe::TTable t(&s);
    t.SetDatabaseName(alias);
    t.SetTableName(tabelle);
    t.Open();
    return t.RecordCount();
}

void notiz(dbe::TSession &s, const QString &kfzNr, const QString &name, const QString &wert)
{
    zeileAnfuegen(s, kAliasFuhrpark, "KfzTerminInfo.db", {"Kfznr", "TerminName", "TerminWert"},
                  {kfzNr, name, wert});
}

QStringList notizen(dbe::TSession &s)
{
    dbe::TTable t(&s);
    t.SetDatabaseName(kAliasFuhrpark);
    t.SetTableName("KfzTerminInfo.db");
    t.Open();
    QStringList n;
    for (t.First(); !t.Eof(); t.Next())
        n << t.FieldByName("Kfznr")->AsString() + "|" + t.FieldByName("TerminName")->AsString() + "|" +
                 t.FieldByName("TerminWert")->AsString();
    return n;
}

// A client's data module with the vehicle rules bound and a recording window.
class Fahrzeugregeln : public ::testing::Test {
protected:
    void SetUp() override
    {
        zeileAnfuegen(s(), kAliasFuhrpark, "KfzStamm.db", {"KfzNr", "KfzInspektTermin", "KfzTUEVTermin"},
                      {"A-1", base::encodeDate(2024, 5, 1), base::encodeDate(2025, 1, 31)});
        zeileAnfuegen(s(), kAliasFuhrpark, "KfzStamm.db", {"KfzNr"}, {"B-2"});
        starten();
    }
    void TearDown() override
    {
        fleet::DataModule1 = nullptr;
        dm.reset();
    }
    void starten()
    {
        dm = std::make_unique<fleet::TDataModule1>(&s());
        fleet::DataModule1 = dm.get();
        dm->TTblMain.First();
        fenster.aufrufe.clear();
    }
    dbe::TSession &s() { return umgebung.session(); }
    dbe::TTable &haupt() { return dm->TTblMain; }
    int anzahlFahrzeugeMandant1()
    {
        dbe::TTable t(&s());
        t.SetDatabaseName(fleet::kAliasFuhrpkMand);
        t.SetTableName("Mandant.db");
        t.Open();
        EXPECT_TRUE(t.Locate("Mandant", QStringLiteral("Mandant1")));
        return t.FieldByName("AnzahlFahrzeuge")->AsInteger();
    }

    kerntest::Umgebung umgebung;
    fleettest::FensterAttrappe fenster;
    std::unique_ptr<fleet::TDataModule1> dm;
};

TEST_F(Fahrzeugregeln, ChangingOneAppointmentDeletesExactlyTheNoteOfItsOldValueAfterTheSave)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    const QString altInspektion = haupt().FieldByName("KfzInspektTermin")->AsString();
    const QString tuev = haupt().FieldByName("KfzTUEVTermin")->AsString();
    ASSERT_FALSE(altInspektion.isEmpty());
    notiz(s(), "A-1", "TTblTermineInspektionTermin", altInspektion);
    notiz(s(), "A-1", "TTblTermineInspektionTermin", "01.01.2020");
    notiz(s(), "A-1", "TTblTermineTUEVTermin", tuev);
    notiz(s(), "B-2", "TTblTermineInspektionTermin", altInspektion);

    haupt().Edit();
    haupt().FieldByName("KfzInspektTermin")->SetAsDateTime(base::encodeDate(2025, 5, 1));
    haupt().FieldByName("Info")->SetAsString("nur Info");
    haupt().Post();

    EXPECT_EQ(notizen(s()),
              QStringList({"A-1|TTblTermineInspektionTermin|01.01.2020", "A-1|TTblTermineTUEVTermin|" + tuev,
                           "B-2|TTblTermineInspektionTermin|" + altInspektion}));

    // The saved value is what the next change is compared with.
    const QString neu = haupt().FieldByName("KfzInspektTermin")->AsString();
    notiz(s(), "A-1", "TTblTermineInspektionTermin", neu);
    haupt().Edit();
    haupt().FieldByName("KfzInspektTermin")->SetAsDateTime(base::encodeDate(2026, 5, 1));
    haupt().Post();
    EXPECT_FALSE(notizen(s()).contains("A-1|TTblTermineInspektionTermin|" + neu));
    EXPECT_EQ(notizen(s()).size(), 3);
}

TEST_F(Fahrzeugregeln, ANewVehicleAndAFailingSaveDeleteNoNote)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    const QString altInspektion = haupt().FieldByName("KfzInspektTermin")->AsString();
    // Notes that a rule comparing with the previous vehicle's values would hit.
    notiz(s(), "C-3", "TTblTermineInspektionTermin", altInspektion);
    notiz(s(), "A-1", "TTblTermineInspektionTermin", altInspektion);
    const QStringList vorher = notizen(s());

    haupt().Append();
    haupt().FieldByName("KfzNr")->SetAsString("C-3");
    haupt().FieldByName("KfzInspektTermin")->SetAsDateTime(base::encodeDate(2030, 1, 1));
    haupt().Post();
    EXPECT_EQ(notizen(s()), vorher);

    // A-1 changed, but its save fails on the engine's key check (B-2 exists).
    ASSERT_TRUE(haupt().Locate("KfzNr", QStringLiteral("A-1")));
    haupt().Edit();
    haupt().FieldByName("KfzInspektTermin")->SetAsDateTime(base::encodeDate(2030, 2, 2));
    haupt().FieldByName("KfzNr")->SetAsString("B-2");
    EXPECT_THROW(haupt().Post(), dbe::EDatabaseError);
    EXPECT_EQ(notizen(s()), vorher);
    haupt().Cancel();
    EXPECT_EQ(notizen(s()), vorher);
}

TEST_F(Fahrzeugregeln, EmptyRegistrationNumberIsRefusedOnTheMasterPageAndStaysInEdit)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    meldungen.expectError(kLeereKfzNr);
    haupt().Append();
    EXPECT_EQ(fenster.aufrufe.first(), "KfzNrEingabeFreigeben(1)");
    haupt().FieldByName("Info")->SetAsString("ohne Kennzeichen");
    fenster.aufrufe.clear();
    EXPECT_THROW(haupt().Post(), base::SilentAbort);
    EXPECT_TRUE(meldungen.verifyDone());
    EXPECT_EQ(haupt().State(), dbe::TDataSetState::dsInsert);
    EXPECT_EQ(fenster.aufrufe, QStringList({"KfzNrEingabeZeigen"}));
    EXPECT_EQ(zeilen(s(), kAliasFuhrpark, "KfzStamm.db"), 2);

    haupt().Cancel();
    EXPECT_EQ(fenster.aufrufe.last(), "KfzNrEingabeFreigeben(0)");
}

TEST_F(Fahrzeugregeln, LookupTablesGrowFromNewTextsOnly)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    zeileAnfuegen(s(), kAliasFuhrpark, "KfzGruppe.db", {"Gruppe"}, {"PKW"});
    const int gruppen = zeilen(s(), kAliasFuhrpark, "KfzGruppe.db");
    const int fahrer = zeilen(s(), kAliasFuhrpark, "KfzFahrer.DB");

    fenster.texte[Nachschlagfeld::Gruppe] = "PKW";
    fenster.texte[Nachschlagfeld::Leasinggesellschaft] = "Leasing AG";
    fenster.texte[Nachschlagfeld::Fahrer] = "Huber";
    haupt().Edit();
    haupt().Post();
    EXPECT_EQ(zeilen(s(), kAliasFuhrpark, "KfzGruppe.db"), gruppen);
    EXPECT_EQ(zeilen(s(), kAliasFuhrpark, "LeasGes.db"), 1);
    EXPECT_EQ(zeilen(s(), kAliasFuhrpark, "KfzFahrer.DB"), fahrer + 1);

    // A new group grows by one row; a failing location insert is ignored and
    // the vehicle is saved all the same.
    fenster.texte[Nachschlagfeld::Gruppe] = "Transporter";
    fenster.texte[Nachschlagfeld::Standort] = "Halle 2";
    dm->TTblStandort.BeforePost = [](dbe::TDataSet &) { dbe::databaseError("Standort gesperrt"); };
    haupt().Edit();
    haupt().FieldByName("Info")->SetAsString("gespeichert");
    haupt().Post();
    EXPECT_EQ(haupt().State(), dbe::TDataSetState::dsBrowse);
    EXPECT_EQ(zeilen(s(), kAliasFuhrpark, "KfzGruppe.db"), gruppen + 1);
    EXPECT_EQ(zeilen(s(), kAliasFuhrpark, "KfzStort.db"), 0);
    EXPECT_EQ(zeilen(s(), kAliasFuhrpark, "LeasGes.db"), 1);
    EXPECT_EQ(zeilen(s(), kAliasFuhrpark, "KfzFahrer.DB"), fahrer + 1);
    dm->TTblMain.Refresh();
    ASSERT_TRUE(haupt().Locate("KfzNr", QStringLiteral("A-1")));
    EXPECT_EQ(haupt().FieldByName("Info")->AsString(), "gespeichert");
}

TEST_F(Fahrzeugregeln, TheClientCountsAllVehiclesAlsoUnderAFilter)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    zeileAnfuegen(s(), kAliasFuhrpark, "KfzStamm.db", {"KfzNr"}, {"C-3"});
    haupt().Refresh();
    haupt().SetFilter("KfzNr = 'A-1'");
    haupt().SetFiltered(true);
    ASSERT_EQ(haupt().RecordCount(), 1);
    haupt().Edit();
    haupt().Post();
    EXPECT_EQ(anzahlFahrzeugeMandant1(), 3);
    EXPECT_FALSE(dm->TblMandanten.Active());
    // Deleting the only vehicle the filter shows.
    haupt().Delete();
    EXPECT_EQ(anzahlFahrzeugeMandant1(), 2);
    EXPECT_FALSE(dm->TblMandanten.Active());
}

TEST_F(Fahrzeugregeln, NewVehiclesSwitchTheFilterOffFirst)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    meldungen.expectInformation("Der Filter wird vor der Neueingabe von Fahrzeugen ausgeschaltet.");
    fenster.filterAktiv = true;
    haupt().Append();
    ASSERT_GE(fenster.aufrufe.size(), 2);
    EXPECT_EQ(fenster.aufrufe.mid(0, 2), QStringList({"Filtereinaus1Click", "KfzNrEingabeFreigeben(1)"}));
    haupt().FieldByName("KfzNr")->SetAsString("N-1");
    haupt().Post();
    EXPECT_EQ(fenster.aufrufe.last(), "KfzNrEingabeFreigeben(0)");
    EXPECT_EQ(anzahlFahrzeugeMandant1(), 3);
}

TEST_F(Fahrzeugregeln, ScrollingRefreshesTheVehicleDisplays)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    zeileAnfuegen(s(), kAliasFuhrpark, "KfzMonat.DB", {"KfzNr", "AuswJahr", "AuswMonatNum", "GefKilometer"},
                  {"B-2", "2024", 1.0, 1200.0});
    fleet::AktuellesBild = "/tmp/bild.jpg";
    fenster.reifen = 1;
    haupt().Next(); // B-2
    EXPECT_EQ(fenster.aufrufe,
              QStringList({"ReifenSeiteZeigen(1)", "ReifenLaufleistungLoeschen", "ReifenLaufleistungAnzeigen",
                           "BildLeeren", "SchadenFilterAusschalten", "LeasingPrognoseAnzeigen(n.v.)"}));
    EXPECT_TRUE(fleet::AktuellesBild.isEmpty());
    EXPECT_EQ(fleet::MonatsSummen.SummeGefKilometer, base::Currency::fromInt(1200));

    // On the dispatch page the utilisation is shown; no tyre choice, no tab change.
    fenster.aufrufe.clear();
    fenster.reifen = -1;
    fenster.dispoAktiv = true;
    haupt().First();
    EXPECT_EQ(fenster.aufrufe, QStringList({"ReifenLaufleistungLoeschen", "ReifenLaufleistungAnzeigen",
                                            "DispoAuslastungAnzeigen", "BildLeeren",
                                            "SchadenFilterAusschalten", "LeasingPrognoseAnzeigen(n.v.)"}));
    EXPECT_EQ(fleet::MonatsSummen.SummeGefKilometer, base::Currency());
}

TEST_F(Fahrzeugregeln, TheSkippedScrollAfterAClientSwitchStillRemembersTheAppointments)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    const QString inspektionA = haupt().FieldByName("KfzInspektTermin")->AsString();
    haupt().Next(); // B-2 has no appointments
    fleet::AfterScrollUeberspringen = true;
    fenster.aufrufe.clear();
    haupt().First();
    EXPECT_TRUE(fenster.aufrufe.isEmpty());
    EXPECT_FALSE(fleet::AfterScrollUeberspringen);
    ASSERT_EQ(fleet::TermineBeimScrollen.size(), 21);
    EXPECT_EQ(fleet::TermineBeimScrollen[2], inspektionA);

    // Hence changing A-1's inspection deletes the note of its own old value.
    notiz(s(), "A-1", "TTblTermineInspektionTermin", inspektionA);
    haupt().Edit();
    haupt().FieldByName("KfzInspektTermin")->SetAsDateTime(base::encodeDate(2031, 1, 1));
    haupt().Post();
    EXPECT_TRUE(notizen(s()).isEmpty());
}

// A vehicle with a row in every detail table, and a second vehicle beside it.
class Kaskade : public Fahrzeugregeln {
protected:
    void SetUp() override
    {
        for (const QString kfz : {"A-1", "B-2"}) {
            zeileAnfuegen(s(), kAliasFuhrpark, "KfzTour.db", {"KfzNr", "Datum", "Tour", "GefahrenKm"},
                          {kfz, base::encodeDate(2024, 3, 1), "T1", 10.0});
            zeileAnfuegen(s(), kAliasFuhrpark, "KfzTour.db", {"KfzNr", "Datum", "Tour", "GefahrenKm"},
                          {kfz, base::encodeDate(2024, 3, 2), "T2", 10.0});
            zeileAnfuegen(s(), kAliasFuhrpark, "KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer", "Jahr"},
                          {kfz, base::encodeDate(2024, 3, 1), "B1", "2024"});
            zeileAnfuegen(s(), kAliasFuhrpark, "KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer", "Jahr"},
                          {kfz, base::encodeDate(2023, 3, 1), "B2", "2023"});
            zeileAnfuegen(s(), kAliasFuhrpark, "KfzMonat.DB", {"KfzNr", "AuswJahr", "AuswMonatNum"},
                          {kfz, "2024", 3.0});
            zeileAnfuegen(s(), kAliasFuhrpark, "KfzReif.db", {"KfzNr"}, {kfz});
            zeileAnfuegen(s(), kAliasFuhrpark, "KfzHisto.db", {"KfzNr", "Datum", "Info"},
                          {kfz, base::encodeDate(2024, 3, 1), "Ölwechsel"});
            zeileAnfuegen(s(), kAliasFuhrpark, "KfzSchad.db", {"KfzNr", "Datum", "Bearbeitungsnummer"},
                          {kfz, base::encodeDate(2024, 3, 1), "S-7"});
            zeileAnfuegen(s(), kAliasFuhrpark, "KfzBild.DB", {"Kfznr", "Reihenfolge", "Bildpfad"},
                          {kfz, 1, "/tmp/a.jpg"});
            zeileAnfuegen(s(), kAliasFuhrpark, "KfzDispo.DB", {"Kfznr", "DatumVon", "DatumBis"},
                          {kfz, base::encodeDate(2024, 3, 1), base::encodeDate(2024, 3, 2)});
            zeileAnfuegen(s(), kAliasFuhrpark, "KfzDispo.DB", {"Kfznr", "DatumVon", "DatumBis"},
                          {kfz, base::encodeDate(2024, 4, 1), base::encodeDate(2024, 4, 2)});
            notiz(s(), kfz, "TTblTermineTUEVTermin", "31.01.2025");
        }
        Fahrzeugregeln::SetUp();
        // The cost page shows one year only: the cascade must not miss the others.
        dm->TTblVarKosten.SetFilter("Jahr = '2024'");
        dm->TTblVarKosten.SetFiltered(true);
    }
    QStringList zeilenJeTabelle(const QString &kfz)
    {
        QStringList z;
        for (const char *t : {"KfzTour.db", "KfzVar.db", "KfzMonat.DB", "KfzReif.db", "KfzHisto.db",
                              "KfzSchad.db", "KfzBild.DB", "KfzDispo.DB", "KfzTerminInfo.db"})
            z << QStringLiteral("%1:%2").arg(QString::fromLatin1(t)).arg(zeilenVon(s(), t, kfz));
        return z;
    }
    const QStringList voll{"KfzTour.db:2", "KfzVar.db:2",   "KfzMonat.DB:1",
                           "KfzReif.db:1", "KfzHisto.db:1", "KfzSchad.db:1",
                           "KfzBild.DB:1", "KfzDispo.DB:2", "KfzTerminInfo.db:1"};
};

TEST_F(Kaskade, DeletingAVehicleLeavesNoRowOfItAndCountsTheRest)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    ASSERT_EQ(zeilenJeTabelle("A-1"), voll);
    haupt().Delete();
    const QStringList leer{"KfzTour.db:0", "KfzVar.db:0",   "KfzMonat.DB:0",
                           "KfzReif.db:0", "KfzHisto.db:0", "KfzSchad.db:0",
                           "KfzBild.DB:0", "KfzDispo.DB:0", "KfzTerminInfo.db:0"};
    EXPECT_EQ(zeilenJeTabelle("A-1"), leer);
    EXPECT_EQ(zeilenJeTabelle("B-2"), voll);
    EXPECT_EQ(zeilenVon(s(), "KfzStamm.db", "A-1"), 0);
    EXPECT_EQ(anzahlFahrzeugeMandant1(), 1);
    EXPECT_EQ(fenster.aufrufe.first(), "DispoAufAktuellesFahrzeugAlleZeitraeume");
    // Locks are released and the picture table closed again.
    EXPECT_FALSE(dm->TblBild.Active());
    EXPECT_EQ(kerntest::ZweiterArbeitsplatz::einmal("sperrversuch", kAliasFuhrpark, "KfzHisto.db"), "ja");
    EXPECT_EQ(dm->TTblTouren.RecordCount(), 2); // now B-2's
    for (dbe::TTable *t : {&dm->TTblTouren, &dm->TTblVarKosten, &dm->TTblHistorie, &dm->TTblDispo})
        EXPECT_EQ(t->FieldByName("KfzNr")->AsString(), "B-2") << t->Name().toStdString();

    // The last vehicle going leaves the window's details empty.
    haupt().Delete();
    EXPECT_EQ(anzahlFahrzeugeMandant1(), 0);
    for (dbe::TTable *t : {&dm->TTblTouren, &dm->TTblVarKosten, &dm->TTblHistorie, &dm->TTblDispo})
        EXPECT_TRUE(t->IsEmpty()) << t->Name().toStdString();
}

TEST_F(Kaskade, ATableLockedByAnotherWorkstationKeepsEverything)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    kerntest::ZweiterArbeitsplatz anderer("sperren", kAliasFuhrpark, "KfzHisto.db");
    ASSERT_TRUE(anderer.bereit());
    meldungen.expectError(kSperrMeldung);
    EXPECT_THROW(haupt().Delete(), base::SilentAbort);
    EXPECT_TRUE(meldungen.verifyDone());
    EXPECT_EQ(zeilenJeTabelle("A-1"), voll);
    EXPECT_EQ(zeilenVon(s(), "KfzStamm.db", "A-1"), 1);
    EXPECT_EQ(haupt().FieldByName("KfzNr")->AsString(), "A-1");
    EXPECT_FALSE(dm->TblBild.Active());
}

// A disk that fills while the rows go: the message names the cause beside the table's text, and
// nothing is deleted.
TEST_F(Kaskade, AFullDiskIsNamedBesideTheTablesMessageAndKeepsEverything)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    const QString verzeichnis = QFileInfo(s().DirectoryOf(kAliasFuhrpark)).canonicalFilePath();
    meldungen.expectError(
        QStringLiteral("Kann zugehörige Tourendatensätze nicht löschen!\rTabelle KfzTour.db: "
                       "Der Datenträger des Datenverzeichnisses %1 ist voll")
            .arg(verzeichnis));
    testsupport::FullDisk::fill();
    EXPECT_THROW(haupt().Delete(), base::SilentAbort);
    testsupport::FullDisk::empty();
    EXPECT_TRUE(meldungen.verifyDone());
    EXPECT_EQ(zeilenJeTabelle("A-1"), voll);
    EXPECT_EQ(zeilenVon(s(), "KfzStamm.db", "A-1"), 1);
    // Room again: the deletion goes through.
    haupt().Delete();
    EXPECT_EQ(zeilenVon(s(), "KfzStamm.db", "A-1"), 0);
    EXPECT_EQ(zeilenVon(s(), "KfzTour.db", "A-1"), 0);
}

TEST_F(Kaskade, AFailureInTheMiddleKeepsEverything)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    // Tours to pictures are gone when the second booking refuses.
    int buchungen = 0;
    dm->TTblDispo.BeforeDelete = [&buchungen](dbe::TDataSet &) {
        if (++buchungen == 2)
            dbe::databaseError("Buchung gesperrt");
    };
    meldungen.expectError("Kann zugehörige Dispositionsdatensätze nicht löschen!");
    EXPECT_THROW(haupt().Delete(), base::SilentAbort);
    EXPECT_TRUE(meldungen.verifyDone());
    EXPECT_EQ(zeilenJeTabelle("A-1"), voll);
    EXPECT_EQ(zeilenVon(s(), "KfzStamm.db", "A-1"), 1);
    EXPECT_EQ(dm->TTblDispo.RecordCount(), 2);
    EXPECT_EQ(kerntest::ZweiterArbeitsplatz::einmal("sperrversuch", kAliasFuhrpark, "KfzTour.db"), "ja");

    // The next deletion starts afresh and succeeds.
    dm->TTblDispo.BeforeDelete = nullptr;
    haupt().Delete();
    EXPECT_EQ(zeilenVon(s(), "KfzStamm.db", "A-1"), 0);
    EXPECT_EQ(zeilenVon(s(), "KfzTour.db", "A-1"), 0);
}

// The details are gone when the vehicle row itself cannot go: they come back,
// and the window's detail tables show them again.
TEST_F(Kaskade, AVehicleRowThatCannotGoBringsBackTheDetailsTheWindowShows)
{
    kerntest::MeldungsRekorder meldungen;
    kerntest::ZweiterArbeitsplatz anderer("sperren", kAliasFuhrpark, "KfzStamm.db");
    ASSERT_TRUE(anderer.bereit());
    try {
        haupt().Delete();
        ADD_FAILURE() << "the vehicle row went";
    } catch (const std::exception &) {
    }
    EXPECT_EQ(zeilenJeTabelle("A-1"), voll);
    EXPECT_EQ(zeilenVon(s(), "KfzStamm.db", "A-1"), 1);
    EXPECT_EQ(haupt().FieldByName("KfzNr")->AsString(), "A-1");
    EXPECT_EQ(dm->TTblTouren.FieldByName("Tour")->AsString(), "T1");
    EXPECT_EQ(dm->TTblHistorie.FieldByName("Info")->AsString(), "Ölwechsel");
    EXPECT_EQ(dm->TblSchadensmanagement.FieldByName("Bearbeitungsnummer")->AsString(), "S-7");
    EXPECT_EQ(dm->TTblDispo.RecordCount(), 2);
    EXPECT_EQ(meldungen.texte.join("|").toStdString(), "");
}

TEST_F(Kaskade, OnlyTheDeletedVehicleLosesRowsAlsoBesideNeighbouringNumbers)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    // Detail rows of numbers that sort next to A-1 or share its beginning.
    const QStringList nachbarn{"A-10", "A-1 X", "a-1"};
    for (const QString &kfz : nachbarn) {
        zeileAnfuegen(s(), kAliasFuhrpark, "KfzTour.db", {"KfzNr", "Datum", "Tour"},
                      {kfz, base::encodeDate(2024, 3, 1), "T9"});
        zeileAnfuegen(s(), kAliasFuhrpark, "KfzDispo.DB", {"Kfznr", "DatumVon", "DatumBis"},
                      {kfz, base::encodeDate(2024, 5, 1), base::encodeDate(2024, 5, 2)});
        notiz(s(), kfz, "TTblTermineTUEVTermin", "31.01.2025");
    }
    haupt().Delete();
    EXPECT_EQ(zeilenVon(s(), "KfzStamm.db", "A-1"), 0);
    for (const QString &kfz : QStringList{"A-1"} + nachbarn)
        EXPECT_EQ(QStringList({QString::number(zeilenVon(s(), "KfzTour.db", kfz)),
                               QString::number(zeilenVon(s(), "KfzDispo.DB", kfz)),
                               QString::number(zeilenVon(s(), "KfzTerminInfo.db", kfz))})
                      .join(' '),
                  kfz == "A-1" ? "0 0 0" : "1 1 1")
            << kfz.toStdString();
}

// Vehicle numbers with characters that a statement's text quotes: the rule
// sees their bookings, and the vehicle goes only when it allows.
TEST_F(Kaskade, TheBookingsOfANumberWithQuotesAreSeenByTheRule)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    const bool nurEigene = fleet::DispoNurEigene;
    const QString platz = fleet::AktuellerArbeitsplatz;
    fleet::DispoNurEigene = true;
    fleet::AktuellerArbeitsplatz = "PC1";
    for (const QString kfz : {"O'B 1", "X'' \\"}) {
        zeileAnfuegen(s(), kAliasFuhrpark, "KfzStamm.db", {"KfzNr"}, {kfz});
        zeileAnfuegen(s(), kAliasFuhrpark, "KfzDispo.DB", {"Kfznr", "DatumVon", "DatumBis", "AngelegtVon"},
                      {kfz, base::encodeDate(2025, 6, 1), base::encodeDate(2025, 6, 2), "PC2"});
        haupt().Refresh();
        ASSERT_TRUE(haupt().Locate("KfzNr", kfz));
        meldungen.expectWarning("Sie haben nicht das Recht, diese Disposition zu löschen !");
        EXPECT_THROW(haupt().Delete(), base::SilentAbort) << kfz.toStdString();
        EXPECT_TRUE(meldungen.verifyDone());
        EXPECT_EQ(zeilenVon(s(), "KfzStamm.db", kfz), 1);
        fleet::AktuellerArbeitsplatz = "PC2";
        haupt().Delete();
        EXPECT_EQ(zeilenVon(s(), "KfzStamm.db", kfz), 0);
        EXPECT_EQ(zeilenVon(s(), "KfzDispo.DB", kfz), 0);
        fleet::AktuellerArbeitsplatz = "PC1";
    }
    EXPECT_EQ(zeilenJeTabelle("A-1"), voll);
    fleet::DispoNurEigene = nurEigene;
    fleet::AktuellerArbeitsplatz = platz;
}

// The bookings' own delete rule sees every booking of the vehicle, also one
// the window does not show, before any row of the vehicle goes.
TEST_F(Kaskade, ABookingOfAnotherWorkstationKeepsTheVehicleAndAllItsRows)
{
    ui::testing::ScriptedMessages meldungen([](const QString &r) { ADD_FAILURE() << r.toStdString(); });
    zeileAnfuegen(s(), kAliasFuhrpark, "KfzDispo.DB", {"Kfznr", "DatumVon", "DatumBis", "AngelegtVon"},
                  {"A-1", base::encodeDate(2025, 6, 1), base::encodeDate(2025, 6, 2), "PC2"});
    dm->TTblDispo.SetFilter("DatumVon < '01.01.2025'");
    dm->TTblDispo.SetFiltered(true);
    dm->TTblDispo.Refresh();
    ASSERT_EQ(dm->TTblDispo.RecordCount(), 2);
    const bool nurEigene = fleet::DispoNurEigene;
    const QString platz = fleet::AktuellerArbeitsplatz;
    fleet::DispoNurEigene = true;
    fleet::AktuellerArbeitsplatz = "PC1";
    meldungen.expectWarning("Sie haben nicht das Recht, diese Disposition zu löschen !");
    EXPECT_THROW(haupt().Delete(), base::SilentAbort);
    EXPECT_TRUE(meldungen.verifyDone());
    QStringList mitDritter = voll;
    mitDritter.replace(mitDritter.indexOf("KfzDispo.DB:2"), "KfzDispo.DB:3");
    EXPECT_EQ(zeilenJeTabelle("A-1"), mitDritter);
    EXPECT_EQ(zeilenVon(s(), "KfzStamm.db", "A-1"), 1);
    EXPECT_FALSE(dm->TblBild.Active());
    EXPECT_EQ(kerntest::ZweiterArbeitsplatz::einmal("sperrversuch", kAliasFuhrpark, "KfzDispo.DB"), "ja");

    // The workstation that made it deletes the vehicle with all three bookings.
    fleet::AktuellerArbeitsplatz = "PC2";
    haupt().Delete();
    EXPECT_EQ(zeilenVon(s(), "KfzDispo.DB", "A-1"), 0);
    EXPECT_EQ(zeilenVon(s(), "KfzStamm.db", "A-1"), 0);
    fleet::DispoNurEigene = nurEigene;
    fleet::AktuellerArbeitsplatz = platz;
}

} // namespace
