#include <gtest/gtest.h>

#include "base/Abort.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "detail_umgebung.h"
#include "regeln/DetailRegeln.h"
#include "ui/testing/ScriptedMessages.h"

namespace {

using base::encodeDate;
using dbe::TDataSetState;

const QString kTourDatumFehlt =
    QStringLiteral("Bitte geben Sie ein Datum ein, da sonst eine zeitliche Zuordnung "
                   "der Tourenkilometer nicht möglich ist");
const QString kTourKmFehlen =
    QStringLiteral("Bitte geben Sie einen Abfahrts- und Ankunftskilometerstand ein, oder geben Sie die "
                   "gefahrenen Kilometer direkt ein, da sonst für die Auswertung keine Tourenkilometer "
                   "zugeordnet werden können");
const QString kTourDoppelt = QStringLiteral(
    "Ein Tourendatensatz mit den gleichen Schlüsseldaten ist schon vorhanden - Sie können nicht bei einem "
    "Fahrzeug zwei Touren mit gleichem DatumVon, DatumBis, Tour, FahrerName und Kostenstelle speichern - "
    "bitte ändern Sie eines der Felder, um die beiden Touren für das Programm zu unterscheiden oder klicken "
    "Sie auf die Löschen-Taste, um diesen Tourendatensatz zu verwerfen.");
const QString kBelegDatumFehlt =
    QStringLiteral("Bitte geben Sie ein BelegDatum ein, da sonst eine zeiltliche "
                   "Zuordnung der Kosten nicht möglich ist");
const QString kBetragFehlt =
    QStringLiteral("Bitte geben Sie noch die Kosten in die entsprechende Spalte ein.");
const QString kKostenDoppelt = QStringLiteral(
    "Ein Kostendatensatz mit den gleichen Schlüsseldaten ist schon vorhanden - Sie können nicht bei einem "
    "Fahrzeug zwei Kostenbelege mit gleichem Datum und Beleg-Nummer speichern - bitte ändern Sie eines der "
    "beiden Felder, hängen Sie an die Beleg-Nummer z.B. ein \"A\", um die beiden Belege für das Programm zu "
    "unterscheiden oder klicken Sie auf die Löschen-Taste, um diesen Kostendatensatz zu verwerfen.");
const QString kDatumFehlt =
    QStringLiteral("Bitte geben Sie ein Datum ein, da sonst eine Speicherung nicht möglich ist");

class DetailRegeln : public ::testing::Test {
protected:
    void SetUp() override { fleet::DetailRegelnBinden(dm()); }
    fleet::TDataModule1 &dm() { return *m.dm; }
    detailtest::FensterAttrappe &fenster() { return *m.fenster; }
    dbe::TTable &touren() { return dm().TTblTouren; }
    dbe::TTable &kosten() { return dm().TTblVarKosten; }
    dbe::TTable &fahrzeug() { return dm().TTblMain; }
    double gespeicherterKmStand()
    {
        return m.gespeichert("KfzStamm.db", "KfzNr", "A-1", "KfzKmStand").toDouble();
    }
    void kmStandSetzen(double km)
    {
        fahrzeug().Edit();
        fahrzeug().FieldByName("KfzKmStand")->SetAsFloat(km);
        fahrzeug().Post();
    }
    // A field of the client-wide settings row as stored.
    QVariant einstellung(const QString &feld)
    {
        dbe::TTable t(&m.session());
        t.SetDatabaseName(fleet::kAliasFuhrpkMand);
        t.SetTableName("Kfzsyste.DB");
        t.Open();
        return t.FieldByName(feld)->Value();
    }
    // A new receipt of vehicle A-1, not yet posted.
    void neuerBeleg(const QString &nummer, double kmStand)
    {
        kosten().Append();
        kosten().FieldByName("BelegDatum")->SetAsDateTime(encodeDate(2024, 3, 15));
        kosten().FieldByName("BelegNummer")->SetAsString(nummer);
        kosten().FieldByName("Benzin/Preis")->SetAsFloat(60.0);
        kosten().FieldByName("Mwst")->SetAsFloat(kmStand);
    }

    detailtest::Mandant m;
    ui::testing::ScriptedMessages meldungen{[](const QString &r) { ADD_FAILURE() << r.toStdString(); }};
};

TEST_F(DetailRegeln, TourKilometresFollowTheOdometerReadings)
{
    struct Fall {
        QVariant abfahrt, ankunft, getippt;
        double gefahren;
    };
    const Fall faelle[] = {
        {1000.0, 1250.0, {}, 250.0},
        {1250.0, 1000.0, {}, -250.0}, // kept as it is
        {1000.0, 0.0, 80.0, 80.0},    // an arrival of 0 was not read: the typed value stays
        {{}, 1250.0, 80.0, 80.0},     // one reading is not enough
    };
    int tag = 1;
    for (const Fall &f : faelle) {
        SCOPED_TRACE(tag);
        touren().Append();
        touren().FieldByName("Datum")->SetAsDateTime(encodeDate(2024, 3, tag++));
        touren().FieldByName("AbfahrtKm")->SetValue(f.abfahrt);
        touren().FieldByName("AnkunftKm")->SetValue(f.ankunft);
        touren().FieldByName("GefahrenKm")->SetValue(f.getippt);
        touren().Post();
        EXPECT_DOUBLE_EQ(touren().FieldByName("GefahrenKm")->AsFloat(), f.gefahren);
    }
    EXPECT_EQ(m.zeilen("KfzTour.db"), 4);
}

TEST_F(DetailRegeln, TourWithoutDateOrKilometresIsRefusedAndStaysInEditWithItsColumnSelected)
{
    touren().Append();
    touren().FieldByName("Datum")->SetAsDateTime(encodeDate(2024, 3, 1));
    touren().FieldByName("GefahrenKm")->SetAsFloat(10.0);
    touren().Post();

    struct Fall {
        const char *name;
        bool gespeicherteTour;
        bool datum;
        QString meldung;
        QString spalte;
        TDataSetState zustand;
    };
    const Fall faelle[] = {
        {"new tour without a date", false, false, kTourDatumFehlt, "Datum", TDataSetState::dsInsert},
        {"new tour without kilometres", false, true, kTourKmFehlen, "GefahrenKm", TDataSetState::dsInsert},
        {"saved tour whose kilometres were cleared", true, true, kTourKmFehlen, "GefahrenKm",
         TDataSetState::dsEdit},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        if (f.gespeicherteTour) {
            touren().Edit();
            touren().FieldByName("GefahrenKm")->Clear();
        } else {
            touren().Append();
            if (f.datum)
                touren().FieldByName("Datum")->SetAsDateTime(encodeDate(2024, 3, 2));
        }
        fenster().Grid("TDBGridTouren")->setSelectedIndex(0);
        meldungen.expectError(f.meldung);
        EXPECT_THROW(touren().Post(), base::SilentAbort);
        EXPECT_TRUE(meldungen.verifyDone());
        EXPECT_EQ(touren().State(), f.zustand);
        EXPECT_EQ(fenster().gewaehlteSpalte("TDBGridTouren"), f.spalte);
        touren().Cancel();
    }
    EXPECT_EQ(m.zeilen("KfzTour.db"), 1);
}

TEST_F(DetailRegeln, NewTourTakesDriverAndCostCentreOfTheVehicle)
{
    touren().Append();
    EXPECT_EQ(touren().FieldByName("FahrerName")->AsString(), "Maier");
    EXPECT_EQ(touren().FieldByName("Kostenstelle")->AsString(), "Nord");
}

TEST_F(DetailRegeln, RefusedTourIsExplainedAsDuplicateOnlyForAKeyViolation)
{
    for (int i = 0; i < 2; ++i) {
        touren().Append();
        touren().FieldByName("Datum")->SetAsDateTime(encodeDate(2024, 3, 1));
        touren().FieldByName("GefahrenKm")->SetAsFloat(10.0 + i);
        if (i == 1)
            meldungen.expectError(kTourDoppelt);
        if (i == 0)
            touren().Post();
        else
            EXPECT_THROW(touren().Post(), base::SilentAbort);
    }
    EXPECT_EQ(touren().State(), TDataSetState::dsInsert);
    touren().Cancel();

    // Any other refusal shows the engine's own reason.
    touren().FieldByName("Tour")->SetRequired(true);
    touren().Append();
    touren().FieldByName("Datum")->SetAsDateTime(encodeDate(2024, 3, 2));
    touren().FieldByName("GefahrenKm")->SetAsFloat(10.0);
    meldungen.expectError("Feld 'Tour' muss einen Wert haben");
    EXPECT_THROW(touren().Post(), base::SilentAbort);
    EXPECT_EQ(touren().State(), TDataSetState::dsInsert);
    EXPECT_TRUE(meldungen.verifyDone());
}

TEST_F(DetailRegeln, ReceiptNeedsADateAndAnyAmountEvenZero)
{
    struct Fall {
        const char *name;
        bool datum;
        QString betragsfeld;
        QVariant betrag;
        QString meldung; // empty: accepted
        QString spalte;
    };
    const Fall faelle[] = {
        {"fuel price only, zero", true, "Benzin/Preis", 0.0, "", ""},
        {"repair only", true, "ReparaturKosten", 12.5, "", ""},
        {"care only", true, "PflegeKosten", 3.0, "", ""},
        {"no amount", true, "", {}, kBetragFehlt, "Benzin/Preis"},
        {"no date", false, "Benzin/Preis", 10.0, kBelegDatumFehlt, "BelegDatum"},
    };
    int nummer = 0;
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        kosten().Append();
        if (f.datum)
            kosten().FieldByName("BelegDatum")->SetAsDateTime(encodeDate(2024, 3, 15));
        kosten().FieldByName("BelegNummer")->SetAsString(QString::number(++nummer));
        if (!f.betragsfeld.isEmpty())
            kosten().FieldByName(f.betragsfeld)->SetValue(f.betrag);
        if (f.meldung.isEmpty()) {
            kosten().Post();
            EXPECT_EQ(kosten().State(), TDataSetState::dsBrowse);
            continue;
        }
        fenster().Grid("TDBGridVarKosten")->setSelectedIndex(0);
        meldungen.expectError(f.meldung);
        EXPECT_THROW(kosten().Post(), base::SilentAbort);
        EXPECT_EQ(kosten().State(), TDataSetState::dsInsert);
        EXPECT_EQ(fenster().gewaehlteSpalte("TDBGridVarKosten"), f.spalte);
        kosten().Cancel();
    }
    EXPECT_EQ(m.zeilen("KfzVar.db"), 3);
}

TEST_F(DetailRegeln, ReceiptDerivesYearAndMonthAndKeepsANewReceiptVisible)
{
    fenster().kostenSicht = 2;
    neuerBeleg("1", 0);
    EXPECT_EQ(fenster().kostenSicht, 0) << "a new receipt switches the view to \"Alle\"";

    // A year view on another year would hide the saved receipt.
    fenster().kostenSicht = 2;
    fenster().kostenJahr = "2023";
    kosten().Post();
    EXPECT_EQ(m.gespeichert("KfzVar.db", "BelegNummer", "1", "Jahr").toString(), "2024");
    EXPECT_EQ(m.gespeichert("KfzVar.db", "BelegNummer", "1", "Monat").toString(), "März");
    EXPECT_EQ(fenster().kostenSicht, 0);

    // The year view on its own year and the month view stay.
    const std::pair<int, QString> bleibt[] = {{2, "2024"}, {1, "2023"}};
    int nummer = 2;
    for (const auto &[sicht, jahr] : bleibt) {
        neuerBeleg(QString::number(nummer++), 0);
        fenster().kostenSicht = sicht;
        fenster().kostenJahr = jahr;
        kosten().Post();
        EXPECT_EQ(fenster().kostenSicht, sicht);
    }
}

TEST_F(DetailRegeln, ReceiptRaisesTheOdometerOnlyWhenHigherAndNotForTheImport)
{
    struct Fall {
        double beleg;
        bool import;
        double erwartet;
    };
    const Fall faelle[] = {
        {52000, false, 52000}, {50000, false, 51000}, {51000, false, 51000}, {52000, true, 51000}};
    int nummer = 0;
    for (const Fall &f : faelle) {
        SCOPED_TRACE(testing::Message() << f.beleg << (f.import ? " import" : ""));
        kmStandSetzen(51000);
        fleet::ImportSatzBuchen = f.import;
        neuerBeleg(QString::number(++nummer), f.beleg);
        kosten().Post();
        EXPECT_DOUBLE_EQ(gespeicherterKmStand(), f.erwartet);
        EXPECT_EQ(fahrzeug().State(), TDataSetState::dsBrowse);
        EXPECT_FALSE(fleet::ImportSatzBuchen);
    }
}

TEST_F(DetailRegeln, PendingVehicleEditTakesTheOdometerAndIsNotSavedBehindTheUsersBack)
{
    fahrzeug().Edit();
    fahrzeug().FieldByName("Info")->SetAsString("ungespeichert");
    neuerBeleg("1", 52000);
    kosten().Post();

    EXPECT_EQ(fahrzeug().State(), TDataSetState::dsEdit);
    EXPECT_EQ(fahrzeug().FieldByName("Info")->AsString(), "ungespeichert");
    EXPECT_DOUBLE_EQ(fahrzeug().FieldByName("KfzKmStand")->AsFloat(), 52000);
    EXPECT_DOUBLE_EQ(gespeicherterKmStand(), 51000);
    EXPECT_TRUE(m.gespeichert("KfzStamm.db", "KfzNr", "A-1", "Info").toString().isEmpty());

    fahrzeug().Post();
    EXPECT_DOUBLE_EQ(gespeicherterKmStand(), 52000);
    EXPECT_EQ(m.gespeichert("KfzStamm.db", "KfzNr", "A-1", "Info").toString(), "ungespeichert");
}

TEST_F(DetailRegeln, ReceiptWithAnAppointmentCodeOffersToRollItForward)
{
    fenster().beschriftungen["LblFreierTermin3"] = "Ölwechsel";
    fenster().beschriftungen["LblFreierTermin10"] = "Tachoprüfung";
    struct Fall {
        QString kennzeichen;
        QString frage; // empty: none asked
        bool ja;
        QString aufruf;
    };
    const Fall faelle[] = {
        {"TUV", "Möchten Sie den HU-Termin fortschreiben", true, "TerminFortschreiben(EditTUEVTermin)"},
        {"I", "Möchten Sie den Inspektionstermin fortschreiben", true,
         "TerminFortschreiben(EditInspektionTermin)"},
        {"VI2", "Möchten Sie den Vignette2-Wartung Termin fortschreiben", false, ""},
        {"FT3", "Möchten Sie den Ölwechsel fortschreiben", true, "TerminFortschreiben(EditFreierTermin3)"},
        {"FT10", "Möchten Sie den Tachoprüfung fortschreiben", true,
         "TerminFortschreiben(EditFreierTermin10)"},
        {"XYZ", "", false, ""},
        {"", "", false, ""},
    };
    int nummer = 0;
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.kennzeichen.toStdString());
        neuerBeleg(QString::number(++nummer), 0);
        kosten().FieldByName("TerminKz")->SetAsString(f.kennzeichen);
        fenster().aufrufe.clear();
        if (!f.frage.isEmpty())
            meldungen.expectQuestion(f.frage, f.ja);
        kosten().Post();
        EXPECT_TRUE(meldungen.verifyDone());
        EXPECT_EQ(fenster().aufrufe.filter("TerminFortschreiben"),
                  f.aufruf.isEmpty() ? QStringList() : QStringList{f.aufruf});
    }
}

TEST_F(DetailRegeln, RefusedReceiptIsExplainedUnlessTheImportPostsIt)
{
    neuerBeleg("1", 0);
    kosten().Post();

    neuerBeleg("1", 0);
    meldungen.expectError(kKostenDoppelt);
    EXPECT_THROW(kosten().Post(), base::SilentAbort);
    EXPECT_EQ(kosten().State(), TDataSetState::dsInsert);
    EXPECT_EQ(fenster().gewaehlteSpalte("TDBGridVarKosten"), "BelegNummer");
    EXPECT_TRUE(meldungen.verifyDone());

    fleet::ImportBuchungslauf = true;
    EXPECT_THROW(kosten().Post(), base::SilentAbort);
    fleet::ImportBuchungslauf = false;

    kosten().FieldByName("PersonalNummer")->SetRequired(true);
    meldungen.expectError("Feld 'PersonalNummer' muss einen Wert haben");
    kosten().FieldByName("BelegNummer")->SetAsString("2");
    EXPECT_THROW(kosten().Post(), base::SilentAbort);
    EXPECT_EQ(m.zeilen("KfzVar.db"), 1);
}

TEST_F(DetailRegeln, HistoryAndDamagesNeedADate)
{
    const std::pair<dbe::TTable *, QString> faelle[] = {
        {&dm().TTblHistorie, "DBGridHistorie"}, {&dm().TblSchadensmanagement, "DBGridSchadensmanagement"}};
    for (const auto &[tabelle, grid] : faelle) {
        SCOPED_TRACE(grid.toStdString());
        tabelle->Append();
        tabelle->FieldByName("Kosten")->SetAsFloat(5.0);
        fenster().Grid(grid)->setSelectedIndex(2);
        meldungen.expectInformation(kDatumFehlt);
        EXPECT_THROW(tabelle->Post(), base::SilentAbort);
        EXPECT_EQ(tabelle->State(), TDataSetState::dsInsert);
        EXPECT_EQ(fenster().gewaehlteSpalte(grid), "Datum");
        tabelle->FieldByName("Datum")->SetAsDateTime(encodeDate(2024, 5, 1));
        tabelle->Post();
        EXPECT_EQ(tabelle->RecordCount(), 1);
    }
}

TEST_F(DetailRegeln, TypedTyreTypesGrowTheTyreTypeListOnce)
{
    kerntest::zeileAnfuegen(m.session(), fleet::kAliasFuhrpark, "ReifTyp.DB", {"Reifentyp"}, {"Sommer 195"});
    dm().TTblReifentyp.Refresh();
    const int vorher = m.zeilen("ReifTyp.DB");
    fenster().auswahlTexte["DBLookupCmbAchse1ReifentypSo"] = "Sommer 195";
    fenster().auswahlTexte["DBLookupCmbAchse2ReifentypWi"] = "Winter 205";
    fenster().auswahlTexte["DBLookupCmbAchse5ReifentypWi"] = "Winter 205";
    dm().TTblReifen.Append();
    dm().TTblReifen.Post();
    EXPECT_EQ(m.zeilen("ReifTyp.DB"), vorher + 1);
    EXPECT_EQ(m.gespeichert("ReifTyp.DB", "Reifentyp", "Winter 205", "Reifentyp").toString(), "Winter 205");
}

TEST_F(DetailRegeln, PicturesAreNumberedOnceFromTheClientCounter)
{
    dbe::TTable &einstellungen = dm().TTblEinstellungenAllgem;
    einstellungen.Edit();
    einstellungen.FieldByName("BildLetzterSortwert")->SetAsInteger(7);
    einstellungen.Post();
    dbe::TTable &bild = dm().TblBild;
    bild.Open();

    bild.Append();
    bild.FieldByName("Bildpfad")->SetAsString("/bilder/vorne.jpg");
    bild.Post();
    EXPECT_EQ(bild.FieldByName("Reihenfolge")->AsInteger(), 8);
    bild.Edit();
    bild.FieldByName("Bemerkung")->SetAsString("vorne");
    bild.Post();
    EXPECT_EQ(bild.FieldByName("Reihenfolge")->AsInteger(), 8);
    EXPECT_EQ(einstellung("BildLetzterSortwert").toInt(), 8);

    // Unsaved settings of someone else are neither saved nor thrown away: the
    // number follows the vehicle's highest.
    einstellungen.Edit();
    einstellungen.FieldByName("TankDateiTyp")->SetAsString("ungespeichert");
    bild.Append();
    bild.FieldByName("Bildpfad")->SetAsString("/bilder/hinten.jpg");
    bild.Post();
    EXPECT_EQ(bild.FieldByName("Reihenfolge")->AsInteger(), 9);
    EXPECT_EQ(einstellungen.State(), TDataSetState::dsEdit);
    EXPECT_EQ(einstellungen.FieldByName("TankDateiTyp")->AsString(), "ungespeichert");
    einstellungen.Post();
    EXPECT_EQ(einstellung("TankDateiTyp").toString(), "ungespeichert");
    EXPECT_EQ(einstellung("BildLetzterSortwert").toInt(), 8);
}

TEST(DetailRegelnImDatenmodul, TheDataModuleBindsTheRulesItself)
{
    detailtest::Mandant m;
    ui::testing::ScriptedMessages meldungen{[](const QString &r) { ADD_FAILURE() << r.toStdString(); }};
    m.dm->TTblTouren.Append();
    EXPECT_EQ(m.dm->TTblTouren.FieldByName("FahrerName")->AsString(), "Maier");
    meldungen.expectError(kTourDatumFehlt);
    EXPECT_THROW(m.dm->TTblTouren.Post(), base::SilentAbort);
}

} // namespace
