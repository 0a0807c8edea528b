#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include <QDir>
#include <QFile>

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/DataModuleFahrer.h"
#include "daten/schema/Katalog.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "kern_umgebung.h"
#include "regeln/Mandant.h"
#include "temp_dir.h"
#include "ui/testing/ScriptedMessages.h"

namespace {

using fleet::kAliasFuhrpark;
using fleet::MandantFehler;

const QString kRangeMeldung = QStringLiteral(
    "Mandantenname nicht im erwarteten Bereich - der gewünschte Mandantenwechsel ist nicht möglich");
const QString kNameMeldung =
    QStringLiteral("Fehlerhafter Mandantenname - der gewünschte Mandantenwechsel ist nicht möglich");
const QString kVerzeichnisMeldung = QStringLiteral("Das zugehörige Datenbankverzeichnis existiert nicht - "
                                                   "der gewünschte Mandantenwechsel ist nicht möglich");

TEST(MandantZiel, NamesGiveTheirDirectoryOrTheirRefusal)
{
    struct Fall {
        const char *name;
        MandantFehler fehler;
        const char *verzeichnis;
    };
    const Fall faelle[] = {
        {"Mandant1", MandantFehler::Keiner, "Datenbk"},
        {"Mandant3", MandantFehler::Keiner, "Datenbk3"},
        {"Mandant12", MandantFehler::Keiner, "Datenbk12"},
        {"Mandant20", MandantFehler::Keiner, "Datenbk20"},
        {"Mandant21", MandantFehler::AusserhalbBereich, ""},
        {"Mandant0", MandantFehler::AusserhalbBereich, ""},
        {"Mandant01", MandantFehler::AusserhalbBereich, ""},
        {"Mandant", MandantFehler::AusserhalbBereich, ""},
        {"Kunde1", MandantFehler::FalscherName, ""},
        {"mandant1", MandantFehler::FalscherName, ""},
        {"", MandantFehler::FalscherName, ""},
    };
    for (const Fall &f : faelle) {
        const fleet::MandantZiel ziel = fleet::MandantZielBestimmen(QString::fromLatin1(f.name));
        EXPECT_EQ(ziel.fehler, f.fehler) << f.name;
        EXPECT_EQ(ziel.verzeichnis, QString::fromLatin1(f.verzeichnis)) << f.name;
    }
}

TEST(MandantZiel, SiblingPathAndCaption)
{
    EXPECT_EQ(fleet::GeschwisterPfad("/x/Datenbk", "Datenbk3"), "/x/Datenbk3");
    EXPECT_EQ(fleet::GeschwisterPfad("/x/Datenbk3", "Datenbk"), "/x/Datenbk");
    EXPECT_EQ(fleet::GeschwisterPfad("C:\\Daten\\Datenbk", "Datenbk12"), "C:\\Daten\\Datenbk12");
    EXPECT_EQ(fleet::MandantTitel("KARVEN", "Mandant2", "Spedition Bauer"),
              "KARVEN / Mandant2 - Spedition Bauer");
    EXPECT_EQ(fleet::MandantTitel("KARVEN", "Mandant2", ""), "KARVEN / Mandant2 - Unbekannt");

    dbe::TSession session(QString::fromStdString(testsupport::TempDir().str()) + "/dbe.cfg");
    session.AddStandardAlias(kAliasFuhrpark, "/x/Datenbk/");
    EXPECT_EQ(fleet::AliasPfad(session, kAliasFuhrpark), "/x/Datenbk");
    EXPECT_EQ(fleet::AliasPfad(session, "Unbekannt"), "");
}

// A started program: the data module open on client 1.
class Umschalten : public ::testing::Test {
protected:
    void SetUp() override
    {
        kerntest::zeileAnfuegen(s(), kAliasFuhrpark, "KfzStamm.db", {"KfzNr"}, {"ALT-1"});
        fleet::DataModule1 = new fleet::TDataModule1(&s());
    }
    void TearDown() override
    {
        fleet::DataModuleFahrerFreigeben();
        delete fleet::DataModule1;
        fleet::DataModule1 = nullptr;
    }
    dbe::TSession &s() { return umgebung.session(); }
    QString pfad(const char *verzeichnis) const { return umgebung.daten() + "/" + verzeichnis; }
    QString aliasPfad() { return fleet::AliasPfad(s(), kAliasFuhrpark); }
    QString ersteKfzNr()
    {
        dbe::TTable &main = fleet::DataModule1->TTblMain;
        main.First();
        return main.Eof() ? QString() : main.FieldByName("KfzNr")->AsString();
    }
    // A row in another client's directory, written as that client's program would.
    void zeileBeiMandant(const char *verzeichnis, const QString &tabelle, const QString &feld,
                         const QString &wert)
    {
        testsupport::TempDir konfiguration;
        dbe::TSession andere(QString::fromStdString(konfiguration.str()) + "/dbe.cfg");
        andere.RegisterTables(fleet::SchemaKatalog());
        andere.AddStandardAlias(kAliasFuhrpark, pfad(verzeichnis));
        kerntest::zeileAnfuegen(andere, kAliasFuhrpark, tabelle, {feld}, {wert});
    }
    bool alleHaupttabellenOffen()
    {
        for (dbe::TTable *t : fleet::DataModule1->HauptTabellen())
            if (!t->Active())
                return false;
        return true;
    }

    kerntest::Umgebung umgebung;
    ui::testing::ScriptedMessages meldungen{
        [](const QString &grund) { ADD_FAILURE() << grund.toStdString(); }};
};

TEST_F(Umschalten, ToASiblingAndBackPersistsAndKeepsOtherParameters)
{
    s().ModifyAlias(kAliasFuhrpark, {"DEFAULT DRIVER=PARADOX"});
    zeileBeiMandant("Datenbk3", "KfzStamm.db", "KfzNr", "NEU-3");

    ASSERT_TRUE(fleet::MandantUmschalten(kAliasFuhrpark, "Mandant3"));
    EXPECT_EQ(aliasPfad(), pfad("Datenbk3"));
    EXPECT_TRUE(s().GetAliasParams(kAliasFuhrpark).contains("DEFAULT DRIVER=PARADOX"));
    EXPECT_TRUE(alleHaupttabellenOffen());
    EXPECT_EQ(ersteKfzNr(), "NEU-3");
    // A new directory got its appointment codes.
    EXPECT_GT(fleet::DataModule1->TTblTerminKz.RecordCount(), 0);
    {
        dbe::TSession naechsterStart;
        EXPECT_EQ(fleet::AliasPfad(naechsterStart, kAliasFuhrpark), pfad("Datenbk3"));
    }

    ASSERT_TRUE(fleet::MandantUmschalten(kAliasFuhrpark, "Mandant1"));
    EXPECT_EQ(aliasPfad(), pfad("Datenbk"));
    EXPECT_EQ(ersteKfzNr(), "ALT-1");
    dbe::TSession naechsterStart;
    EXPECT_EQ(fleet::AliasPfad(naechsterStart, kAliasFuhrpark), pfad("Datenbk"));
}

TEST_F(Umschalten, RefusalsLeaveTablesAndAliasAsTheyWere)
{
    QDir(pfad("Datenbk7")).removeRecursively();
    struct Fall {
        QString alias, mandant, meldung;
        ui::MsgType typ;
    };
    const Fall faelle[] = {
        {"Fuhrpark", "Mandant21", kRangeMeldung, ui::MsgType::Error},
        {"Fuhrpark", "Kunde1", kNameMeldung, ui::MsgType::Error},
        {"Fuhrpark", "Mandant7", kVerzeichnisMeldung, ui::MsgType::Error},
        {"Gibtsnicht", "Mandant2",
         "Alias Gibtsnicht ist nicht vorhanden - Mandantenwechsel ist nicht möglich",
         ui::MsgType::Information},
    };
    for (const Fall &f : faelle) {
        meldungen.expect(f.typ, f.meldung, ui::MsgButtons::Ok, ui::Answer::Ok);
        EXPECT_FALSE(fleet::MandantUmschalten(f.alias, f.mandant)) << f.mandant.toStdString();
        EXPECT_EQ(aliasPfad(), pfad("Datenbk"));
        EXPECT_TRUE(alleHaupttabellenOffen());
        EXPECT_EQ(ersteKfzNr(), "ALT-1");
    }
    dbe::TSession naechsterStart;
    EXPECT_EQ(fleet::AliasPfad(naechsterStart, kAliasFuhrpark), pfad("Datenbk"));
}

TEST_F(Umschalten, OpenTablesOfOtherModulesFollowToTheNewClient)
{
    kerntest::zeileAnfuegen(s(), kAliasFuhrpark, "KfzFahrer.DB", {"Name"}, {"Alter Fahrer"});
    zeileBeiMandant("Datenbk12", "KfzFahrer.DB", "Name", "Neuer Fahrer");
    fleet::TDataModuleFahrer &fahrer = fleet::DataModuleFahrerErzeugen();
    fleet::DataModule1->TblBild.Open(); // the picture page is shown

    ASSERT_TRUE(fleet::MandantUmschalten(kAliasFuhrpark, "Mandant12"));
    ASSERT_TRUE(fahrer.TblFahrerStammdaten.Active());
    EXPECT_TRUE(fahrer.TblFahrerHistorie.Active());
    EXPECT_EQ(fahrer.TblFahrerStammdaten.RecordCount(), 1);
    EXPECT_EQ(fahrer.TblFahrerStammdaten.FieldByName("Name")->AsString(), "Neuer Fahrer");
    EXPECT_TRUE(fleet::DataModule1->TblBild.Active());
    // Tables that were closed stay closed.
    EXPECT_FALSE(fleet::DataModule1->TTblTermine.Active());
}

TEST_F(Umschalten, AFailureOnTheNewClientBringsTheOldOneBack)
{
    fleet::TDataModuleFahrer &fahrer = fleet::DataModuleFahrerErzeugen();
    // The new client's database is damaged: its tables cannot be opened.
    testsupport::writeFile(std::filesystem::path(pfad("Datenbk3").toStdString()) / "dbe.sqlite",
                           std::string(4096, 'x'));

    EXPECT_THROW(fleet::MandantUmschalten(kAliasFuhrpark, "Mandant3"), dbe::EDatabaseError);
    EXPECT_EQ(aliasPfad(), pfad("Datenbk"));
    EXPECT_TRUE(alleHaupttabellenOffen());
    EXPECT_EQ(ersteKfzNr(), "ALT-1");
    EXPECT_TRUE(fahrer.TblFahrerStammdaten.Active());
    {
        dbe::TSession naechsterStart;
        EXPECT_EQ(fleet::AliasPfad(naechsterStart, kAliasFuhrpark), pfad("Datenbk"));
    }
    // The old client works: a vehicle can be saved.
    dbe::TTable &main = fleet::DataModule1->TTblMain;
    main.Append();
    main.FieldByName("KfzNr")->SetAsString("ALT-2");
    main.Post();
    EXPECT_EQ(main.RecordCount(), 2);
}

TEST_F(Umschalten, AConfigurationThatCannotBeSavedKeepsTheOldClientOpen)
{
    // The configuration file's place is taken by a directory: it cannot be written.
    const QString konfiguration = s().ConfigFile();
    ASSERT_TRUE(QFile::remove(konfiguration));
    ASSERT_TRUE(QDir().mkpath(konfiguration));

    EXPECT_THROW(fleet::MandantUmschalten(kAliasFuhrpark, "Mandant3"), dbe::EDatabaseError);
    EXPECT_EQ(aliasPfad(), pfad("Datenbk"));
    EXPECT_TRUE(alleHaupttabellenOffen());
    EXPECT_EQ(ersteKfzNr(), "ALT-1");
}

} // namespace
