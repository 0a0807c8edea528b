#include <gtest/gtest.h>

#include <filesystem>

#include "base/Abort.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/DataModuleFahrer.h"
#include "daten/DataModuleImport.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "kern_umgebung.h"
#include "temp_dir.h"
#include "ui/testing/ScriptedMessages.h"

namespace {

using fleet::kAliasFuhrpark;
using kerntest::zeileAnfuegen;

const QString kOhneNamen = QStringLiteral("Möchten Sie wirklich einen Fahrer ohne Namen anlegen");
const QString kTankdateiTyp = QStringLiteral(
    "Ein Datensatz mit diesem \"Tankdatei-Typ\" ist schon vorhanden - bitte ändern Sie den Inhalt des Feldes "
    "\"Tankdatei-Typ\", so dass dieser Name noch nicht vorhanden ist oder klicken Sie auf den Löschen-Knopf, "
    "um "
    "den neuen Datensatz zu löschen");
const QString kJahr2024 = QStringLiteral(" and ((Datum >= '1.1.2024') and (Datum <= '31.12.2024'))");

// The driver form as the rules see it.
class FahrerFormularAttrappe : public fleet::FahrerFormularZugriff {
public:
    int TourenSicht() const override { return sicht; }
    void TourenSummenBerechnen() override { ++summen; }
    int sicht = 0;
    int summen = 0;
};

class DatenModule : public ::testing::Test {
protected:
    void SetUp() override
    {
        zeileAnfuegen(s(), kAliasFuhrpark, "KfzStamm.db", {"KfzNr"}, {"A-1"});
        for (const char *name : {"Anna", "O'Neill"})
            zeileAnfuegen(s(), kAliasFuhrpark, "KfzFahrer.DB", {"Name"}, {name});
        const struct {
            const char *fahrer;
            int jahr;
        } touren[] = {{"Anna", 2024}, {"Anna", 2024}, {"Anna", 2023}, {"O'Neill", 2024}, {"O'Neill", 2022}};
        int tour = 0;
        for (const auto &t : touren)
            zeileAnfuegen(s(), kAliasFuhrpark, "KfzTour.db", {"KfzNr", "Datum", "Tour", "FahrerName"},
                          {"A-1", base::encodeDate(t.jahr, 6, 1), QString::number(++tour), t.fahrer});
        fleet::DataModule1 = new fleet::TDataModule1(&s());
        fleet::FahrerFormularSetzen(&formular);
    }
    void TearDown() override
    {
        fleet::FahrerFormularSetzen(nullptr);
        fleet::FahrerFilterZeitraum.clear();
        fleet::DataModuleImportFreigeben();
        fleet::DataModuleFahrerFreigeben();
        delete fleet::DataModule1;
        fleet::DataModule1 = nullptr;
    }
    dbe::TSession &s() { return umgebung.session(); }
    // The driver form shows a driver's tours: detached from the vehicle, filtered.
    dbe::TTable &tourenDesFahrers()
    {
        dbe::TTable &touren = fleet::DataModule1->TTblTouren;
        touren.SetMasterSource(nullptr);
        touren.SetMasterFields(QString());
        touren.SetFilter("(FahrerName ='Anna')");
        touren.SetFiltered(true);
        return touren;
    }

    kerntest::Umgebung umgebung;
    FahrerFormularAttrappe formular;
    ui::testing::ScriptedMessages meldungen{
        [](const QString &grund) { ADD_FAILURE() << grund.toStdString(); }};
};

TEST_F(DatenModule, DriverTablesOpenAndLinked)
{
    zeileAnfuegen(s(), kAliasFuhrpark, "KfzFaHis.db", {"Name", "Info", "Betrag"},
                  {"O'Neill", "Schulung", 12.5});
    fleet::TDataModuleFahrer &fahrer = fleet::DataModuleFahrerErzeugen();
    EXPECT_EQ(&fahrer, &fleet::DataModuleFahrerErzeugen());
    ASSERT_TRUE(fahrer.TblFahrerStammdaten.Active());
    ASSERT_TRUE(fahrer.TblFahrerHistorie.Active());
    EXPECT_EQ(fahrer.TblFahrerHistorie.RecordCount(), 0); // Anna has none
    fahrer.TblFahrerStammdaten.Next();
    ASSERT_EQ(fahrer.TblFahrerHistorie.RecordCount(), 1);
    EXPECT_EQ(fahrer.TblFahrerHistorie.FieldByName("Betrag")->DisplayText(), "12,50");
    EXPECT_FALSE(fahrer.TblFahrerHistorie.FieldByName("Name")->Visible());
}

TEST_F(DatenModule, ScrollingDriversKeepsTheToursOnTheCurrentDriver)
{
    dbe::TTable &touren = tourenDesFahrers();
    fleet::TDataModuleFahrer &fahrer = fleet::DataModuleFahrerErzeugen();
    fahrer.TblFahrerStammdaten.First();
    formular.summen = 0;

    const struct {
        int sicht;
        QString zeitraum;
        int anna, oneill;
    } faelle[] = {{0, kJahr2024, 3, 2}, {2, kJahr2024, 2, 1}};
    for (const auto &f : faelle) {
        formular.sicht = f.sicht;
        fleet::FahrerFilterZeitraum = f.zeitraum;
        const QString zeitraum = f.sicht == 0 ? QString() : f.zeitraum;

        fahrer.TblFahrerStammdaten.Next();
        EXPECT_EQ(touren.Filter(), "FahrerName ='O''Neill'" + zeitraum);
        EXPECT_TRUE(touren.Filtered());
        EXPECT_EQ(touren.RecordCount(), f.oneill);
        EXPECT_EQ(touren.FieldByName("FahrerName")->AsString(), "O'Neill");

        fahrer.TblFahrerStammdaten.Prior();
        EXPECT_EQ(touren.Filter(), "FahrerName ='Anna'" + zeitraum);
        EXPECT_EQ(fleet::FahrerFilterBasis, "FahrerName ='Anna'");
        EXPECT_EQ(touren.RecordCount(), f.anna);
    }
    EXPECT_EQ(formular.summen, 4);
}

TEST_F(DatenModule, ScrollingDriversLeavesUnfilteredToursAlone)
{
    dbe::TTable &touren = fleet::DataModule1->TTblTouren;
    fleet::TDataModuleFahrer &fahrer = fleet::DataModuleFahrerErzeugen();
    fahrer.TblFahrerStammdaten.Next();
    EXPECT_FALSE(touren.Filtered());
    EXPECT_EQ(touren.Filter(), "");
    EXPECT_EQ(touren.RecordCount(), 5);
    EXPECT_EQ(formular.summen, 0);
}

TEST_F(DatenModule, ADriverWithoutNameIsSavedOnlyOnYes)
{
    dbe::TTable &stamm = fleet::DataModuleFahrerErzeugen().TblFahrerStammdaten;
    stamm.Append();
    stamm.FieldByName("Ort")->SetAsString("Kiel");
    meldungen.expectQuestion(kOhneNamen, false);
    EXPECT_THROW(stamm.Post(), base::SilentAbort);
    EXPECT_EQ(stamm.State(), dbe::TDataSetState::dsInsert);

    meldungen.expectQuestion(kOhneNamen, true);
    stamm.Post();
    EXPECT_EQ(stamm.RecordCount(), 3);

    // A driver with a name asks nothing.
    stamm.Append();
    stamm.FieldByName("Name")->SetAsString("Bert");
    stamm.Post();
    EXPECT_EQ(stamm.RecordCount(), 4);
}

TEST_F(DatenModule, FuelTypeConfigurationRefusesDuplicatesAndOutOfRangeCategories)
{
    dbe::TTable &konfig = fleet::DataModuleImportErzeugen().TTblKonfig;
    konfig.Open();
    konfig.Append();
    konfig.FieldByName("TankdateiTyp")->SetAsString("TANK0105");
    konfig.FieldByName("Varkosten1")->SetAsInteger(10);
    konfig.Post();

    konfig.Append();
    konfig.FieldByName("TankdateiTyp")->SetAsString("TANK0105");
    meldungen.expectError(kTankdateiTyp);
    try {
        konfig.Post();
        ADD_FAILURE() << "duplicate type posted";
    } catch (const dbe::EDBEngineError &e) {
        EXPECT_EQ(e.ErrorCode(), dbe::ErrorCode::KeyViolation);
    }
    konfig.Cancel();

    konfig.Append();
    konfig.FieldByName("TankdateiTyp")->SetAsString("SHELL");
    konfig.FieldByName("Varkosten1")->SetAsInteger(11);
    meldungen.expectError(
        "Feldwert oberhalb des Maximums: Varkosten1\rIn den Varkosten-Feldern sind nur Werte "
        "zwischen 1 und 10 erlaubt");
    EXPECT_THROW(konfig.Post(), base::SilentAbort);
    EXPECT_EQ(konfig.State(), dbe::TDataSetState::dsInsert);
    konfig.Cancel();
    EXPECT_EQ(konfig.RecordCount(), 1);
}

TEST_F(DatenModule, ImportTablesStagingAndTheDeliveredTextFile)
{
    fleet::TDataModuleImport &import = fleet::DataModuleImportErzeugen();
    EXPECT_EQ(&import, &fleet::DataModuleImportErzeugen());
    EXPECT_FALSE(import.TTblImport.Active());
    import.TTblImport.Open();
    import.TTblImport.Append();
    import.TTblImport.FieldByName("Netto")->SetAsFloat(1234.5);
    import.TTblImport.Post();
    EXPECT_EQ(import.TTblImport.FieldByName("Netto")->DisplayText(), "1234,50");

    testsupport::TempDir lieferung;
    testsupport::writeFile(lieferung.path() / "tank0105.SCH",
                           "[TANK0105]\r\nFILETYPE = VARYING\r\nCHARSET = ansi\r\n"
                           "Field1 = Satzart,CHAR,2,00,00\r\n"
                           "Field2 = Kennzeichen,CHAR,10,00,00\r\n");
    testsupport::writeFile(lieferung.path() / "tank0105.txt", "\"01\",\"HH-AB 12\"\r\n\"02\",\"KI-X 1\"\r\n");
    dbe::TTable &tankdisk = import.TTblTankDisk;
    tankdisk.SetDatabaseName(QString::fromStdString(lieferung.str()) + "/");
    tankdisk.SetTableName("tank0105.txt");
    tankdisk.Open();
    EXPECT_EQ(tankdisk.RecordCount(), 2);
    EXPECT_EQ(tankdisk.FieldByName("Kennzeichen")->AsString(), "HH-AB 12");
    tankdisk.Close();
}

} // namespace
