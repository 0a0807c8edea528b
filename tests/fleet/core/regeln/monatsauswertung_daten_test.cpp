#include <gtest/gtest.h>

#include <stdexcept>

#include "daten/Aliase.h"
#include "dbe/Field.h"
#include "dbe/Table.h"
#include "kern_umgebung.h"
#include "regeln/MonatsauswertungDaten.h"
#include "ui/testing/ScriptedMessages.h"

namespace {

const QString kFrage = QStringLiteral("Möchten Sie die aktuelle Monatsauswertung speichern");
const QString kUeberschreiben = QStringLiteral("Eine Auswertung für diesen Monat ist schon gespeichert - "
                                               "möchten Sie die vorhandene Auswertung überschreiben");
const QString kGesperrt =
    QStringLiteral("Gewünschte Tabelle konnte nicht gesperrt werden - versuchen Sie es gleich noch einmal");
const QString kGespeichert = QStringLiteral("Die Monatsauswertung wurde gespeichert");

void kosten(kerntest::Umgebung &u, const char *kfz, const char *datum, int beleg, double stand, double preis)
{
    kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzVar.db",
                            {"KfzNr", "BelegDatum", "BelegNummer", "Mwst", "Benzin/Preis"},
                            {kfz, QDate::fromString(QString::fromLatin1(datum), "dd.MM.yyyy"),
                             QString::number(beleg), stand, preis});
}

TEST(KostenZeilenLesen, TheCostCursorGivesRowsInDateOrder)
{
    kerntest::Umgebung u;
    // Stored out of date order; the cursor orders by vehicle, then date.
    kosten(u, "A-1", "03.05.2024", 1, 11000, 10);
    kosten(u, "A-1", "20.04.2024", 2, 10350, 10);
    kosten(u, "B-2", "01.04.2024", 3, 99999, 10);
    kosten(u, "A-1", "10.03.2024", 3, 10200, 10);
    kosten(u, "A-1", "05.04.2024", 4, 10500, 10);

    dbe::TTable t(&u.session());
    t.SetDatabaseName(fleet::kAliasFuhrpark);
    t.SetTableName("KfzVar.db");
    t.SetIndexFieldNames("KfzNr");
    t.Open();
    t.SetRange({"A-1"}, {"A-1"});
    fleet::MonatsauswertungEingabe e;
    e.Kosten = fleet::KostenZeilenLesen(t);
    EXPECT_TRUE(t.Eof()); // left at the end of the walk
    ASSERT_EQ(e.Kosten.size(), 4u);
    e.Jahr = 2024;
    e.Monat = 4;
    const auto aus = fleet::MonatsauswertungBerechnen(e);
    EXPECT_DOUBLE_EQ(aus.Ergebnis.GefKilometer, 300);
    EXPECT_EQ(aus.Ergebnis.VerbrauchKosten, base::Currency::fromInt(20));
}

// The save against a real KfzMonat.DB, with a second process where it matters.
class Speichern : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (dbe::TTable *t : {&sperre, &alle}) {
            t->SetDatabaseName(fleet::kAliasFuhrpark);
            t->SetTableName("KfzMonat.DB");
            t->Open();
        }
        rechnen("A-1", 2024, 4, 1000);
    }

    static void rechnen(const char *kfz, std::uint16_t jahr, std::uint16_t monat, double ertrag)
    {
        fleet::MonatsauswertungErgebnis = {};
        fleet::MonatsauswertungErgebnis.KfzNr = QString::fromLatin1(kfz);
        fleet::MonatsauswertungErgebnis.AuswertungsJahr = jahr;
        fleet::MonatsauswertungErgebnis.AuswertungsMonat = monat;
        fleet::MonatsauswertungErgebnis.Ertrag = base::Currency::fromDouble(ertrag);
        fleet::MonatsauswertungErgebnis.GefKilometer = ertrag / 10;
    }

    void speichern(const char *kfz = "A-1", std::uint16_t jahr = 2024, std::uint16_t monat = 4)
    {
        fleet::MonatsauswertungSpeichern(sperre, alle, QString::fromLatin1(kfz), jahr, monat, [&] {
            ++neuBerechnet;
            rechnen(kfz, jahr, monat, 777);
        });
    }

    // "KfzNr|Jahr|Monat|Text|Ertrag" of every stored row, read by a fresh cursor.
    QStringList zeilen()
    {
        dbe::TTable t(&u.session());
        t.SetDatabaseName(fleet::kAliasFuhrpark);
        t.SetTableName("KfzMonat.DB");
        t.Open();
        QStringList r;
        for (t.First(); !t.Eof(); t.Next())
            r << QStringList{t.FieldByName("KfzNr")->AsString(), t.FieldByName("AuswJahr")->AsString(),
                             t.FieldByName("AuswMonatNum")->AsString(),
                             t.FieldByName("AuswMonatText")->AsString(), t.FieldByName("Ertrag")->AsString()}
                     .join('|');
        return r;
    }

    static QString sperrversuch()
    {
        return kerntest::ZweiterArbeitsplatz::einmal("sperrversuch", fleet::kAliasFuhrpark, "KfzMonat.DB")
            .trimmed();
    }

    kerntest::Umgebung u;
    dbe::TTable sperre{&u.session()}, alle{&u.session()};
    ui::testing::ScriptedMessages meldungen{[](const QString &r) { ADD_FAILURE() << r.toStdString(); }};
    int neuBerechnet = 0;
};

TEST_F(Speichern, NoWritesNothingYesWritesTheComputedMonth)
{
    meldungen.expectQuestion(kFrage, false);
    speichern();
    EXPECT_TRUE(zeilen().isEmpty());

    meldungen.expectQuestion(kFrage, true).expectInformation(kGespeichert);
    speichern();
    EXPECT_EQ(zeilen(), QStringList{"A-1|2024|4|April|1000"});
    EXPECT_EQ(neuBerechnet, 0);
    EXPECT_EQ(sperrversuch(), "ja");
    EXPECT_TRUE(meldungen.verifyDone());
}

TEST_F(Speichern, ALockHeldElsewhereWritesNothing)
{
    kerntest::ZweiterArbeitsplatz anderer("sperren", fleet::kAliasFuhrpark, "KfzMonat.DB");
    ASSERT_TRUE(anderer.bereit());
    meldungen.expectQuestion(kFrage, true).expectError(kGesperrt);
    speichern();
    EXPECT_TRUE(zeilen().isEmpty());
    EXPECT_TRUE(meldungen.verifyDone());
}

TEST_F(Speichern, AnExistingMonthIsKeptOnNoAndReplacedOnYes)
{
    meldungen.expectQuestion(kFrage, true).expectInformation(kGespeichert);
    speichern();

    rechnen("A-1", 2024, 4, 2000);
    meldungen.expectQuestion(kFrage, true).expectQuestion(kUeberschreiben, false);
    speichern();
    EXPECT_EQ(zeilen(), QStringList{"A-1|2024|4|April|1000"});
    EXPECT_EQ(sperrversuch(), "ja");

    meldungen.expectQuestion(kFrage, true)
        .expectQuestion(kUeberschreiben, true)
        .expectInformation(kGespeichert);
    speichern();
    EXPECT_EQ(zeilen(), QStringList{"A-1|2024|4|April|2000"});
    EXPECT_TRUE(meldungen.verifyDone());
}

TEST_F(Speichern, AFailingInsertKeepsTheOldRowAndReleasesTheLock)
{
    meldungen.expectQuestion(kFrage, true).expectInformation(kGespeichert);
    speichern();

    rechnen("A-1", 2024, 4, 2000);
    alle.BeforePost = [](dbe::TDataSet &) { throw std::runtime_error("Platte voll"); };
    meldungen.expectQuestion(kFrage, true).expectQuestion(kUeberschreiben, true);
    EXPECT_THROW(speichern(), std::runtime_error);
    EXPECT_EQ(zeilen(), QStringList{"A-1|2024|4|April|1000"});
    EXPECT_EQ(sperrversuch(), "ja");
    EXPECT_TRUE(meldungen.verifyDone());
}

TEST_F(Speichern, AStoredMonthOfAnotherYearIsFoundWhileTheOverviewIsFiltered)
{
    rechnen("A-1", 2006, 3, 1000);
    meldungen.expectQuestion(kFrage, true).expectInformation(kGespeichert);
    speichern("A-1", 2006, 3);

    sperre.SetFilter("AuswJahr = 2005");
    sperre.SetFiltered(true);
    rechnen("A-1", 2006, 3, 3000);
    meldungen.expectQuestion(kFrage, true)
        .expectQuestion(kUeberschreiben, true)
        .expectInformation(kGespeichert);
    speichern("A-1", 2006, 3);
    EXPECT_EQ(zeilen(), QStringList{QString::fromUtf8("A-1|2006|3|März|3000")});
    EXPECT_TRUE(meldungen.verifyDone());
}

TEST_F(Speichern, AResultOfAnotherVehicleOrPeriodIsComputedAgain)
{
    // Computed for A-1, April; the window now shows B-2.
    meldungen.expectQuestion(kFrage, true).expectInformation(kGespeichert);
    speichern("B-2", 2024, 4);
    EXPECT_EQ(neuBerechnet, 1);
    EXPECT_EQ(zeilen(), QStringList{"B-2|2024|4|April|777"});

    meldungen.expectQuestion(kFrage, true).expectInformation(kGespeichert);
    speichern("B-2", 2024, 5);
    EXPECT_EQ(neuBerechnet, 2);
    EXPECT_EQ(zeilen(), (QStringList{"B-2|2024|4|April|777", "B-2|2024|5|Mai|777"}));
    EXPECT_TRUE(meldungen.verifyDone());
}

} // namespace
