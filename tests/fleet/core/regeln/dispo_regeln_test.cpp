#include <gtest/gtest.h>

#include "AufzeichnendeDienste.h"
#include "base/Abort.h"
#include "base/DateTime.h"
#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "detail_umgebung.h"
#include "regeln/DispoRegeln.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

namespace {

using base::encodeDate;
using base::encodeTime;
using dbe::TDataSetState;

const base::TDateTime kTag = encodeDate(2024, 3, 4); // "04.03.2024"
const QString kNeuWiderrufen = QStringLiteral("um den neuen Dispositionsdatensatz wieder zu löschen");
const QString kAenderungWiderrufen = QStringLiteral("um die Änderung zu widerrrufen");

QString periode(const QString &datumVon, const QString &datumBis, const QString &von, const QString &bis)
{
    return "DatumVon: " + datumVon + "\rDatumBis:  " + datumBis + "\rUhrzeitVon: " + von +
           "\rUhrzeitBis:  " + bis + "\r\r";
}

QString verbotenText(const QString &periodeText, const QString &widerruf)
{
    return "Der eingegebene Zeitraum kollidiert mit einer schon vorhandenen Disposition dieses Fahrzeugs: "
           "\r" +
           periodeText +
           "Bitte überprüfen und ändern Sie anschließend den Zeitraum(UhrzeitVon/UhrzeitBis) oder klicken "
           "Sie "
           "auf den Löschen-Knopf, " +
           widerruf;
}

QString warnFrage(const QString &periodeText)
{
    return "Der eingegebene Zeitraum kollidiert mit einer anderen Disposition dieses Fahrzeugs: \r" +
           periodeText + "möchten Sie diese Disposition trotzdem so speichern";
}

QString aendernHinweis(const QString &widerruf)
{
    return "Bitte ändern Sie anschließend den Zeitraum (UhrzeitVon/UhrzeitBis) oder klicken Sie auf den "
           "Löschen-Knopf, " +
           widerruf;
}

class DispoRegeln : public ::testing::Test {
protected:
    fleet::TDataModule1 &dm() { return *m.dm; }
    detailtest::FensterAttrappe &fenster() { return *m.fenster; }
    dbe::TTable &dispo() { return dm().TTblDispo; }

    // A stored booking of A-1, written past the rules.
    void gespeicherteBuchung(base::TDateTime tag, int von, int bis, const QString &inhaber = QString())
    {
        kerntest::zeileAnfuegen(m.session(), "Fuhrpark", "KfzDispo.DB",
                                {"AngelegtVon", "Kfznr", "DatumVon", "DatumBis", "UhrzeitVon", "UhrzeitBis"},
                                {inhaber, "A-1", tag, tag, encodeTime(von, 0), encodeTime(bis, 0)});
        dispo().Refresh();
    }
    void alleBuchungenLoeschen()
    {
        dispo().Cancel();
        dbe::TTable t(&m.session());
        t.SetDatabaseName("Fuhrpark");
        t.SetTableName("KfzDispo.DB");
        t.Open();
        while (!t.IsEmpty()) {
            t.First();
            t.Delete();
        }
        dispo().Refresh();
    }
    // A new booking through the period dialog; it stays in insert state.
    void neueBuchung(base::TDateTime von, base::TDateTime bis, base::TDateTime uhrVon, base::TDateTime uhrBis)
    {
        dienste.zeitraumAntwort = {von, bis, uhrVon, uhrBis};
        EXPECT_THROW(dispo().Append(), base::SilentAbort);
        ASSERT_EQ(dispo().State(), TDataSetState::dsInsert);
    }
    QVariant feld(const char *name) { return dispo().FieldByName(name)->Value(); }

    detailtest::Mandant m;
    fleet::testing::AufzeichnendeTerminDienste dienste;
    ui::testing::FakeClock uhr{encodeDate(2024, 6, 1) + encodeTime(9, 30)};
    ui::testing::ScriptedMessages meldungen{[](const QString &r) { ADD_FAILURE() << r.toStdString(); }};
};

TEST_F(DispoRegeln, CollisionMatrix)
{
    enum class Box { Keine, Verbot, FrageJa, FrageNein };
    struct Fall {
        const char *name;
        char pruefung, aktion;
        bool bearbeiten; // the stored 08-12 booking itself is changed
        base::TDateTime tag;
        int von, bis; // -1: time left empty
        bool hilfstabelleBelegt;
        Box box;
        QString widerruf;
        bool gespeichert;
    };
    const Fall faelle[] = {
        {"12-14 after 08-12", 'Z', 'V', false, kTag, 12, 14, false, Box::Keine, "", true},
        {"11-14 overlaps, forbidden", 'Z', 'V', false, kTag, 11, 14, false, Box::Verbot, kNeuWiderrufen,
         false},
        {"07-13 encloses, forbidden", 'Z', 'V', false, kTag, 7, 13, false, Box::Verbot, kNeuWiderrufen,
         false},
        {"11-14 overlaps, warned, saved", 'Z', 'W', false, kTag, 11, 14, false, Box::FrageJa, "", true},
        {"11-14 overlaps, warned, not saved", 'Z', 'W', false, kTag, 11, 14, false, Box::FrageNein,
         kNeuWiderrufen, false},
        {"date only makes no test", 'D', 'V', false, kTag, 11, 14, false, Box::Keine, "", true},
        {"empty end time makes no test", 'Z', 'V', false, kTag, 11, -1, false, Box::Keine, "", true},
        {"busy scratch tables still test", 'Z', 'V', false, kTag, 11, 14, true, Box::Verbot, kNeuWiderrufen,
         false},
        {"a changed booking does not collide with itself", 'Z', 'V', true, kTag, 9, 13, false, Box::Keine, "",
         true},
        {"a changed booking collides with another", 'Z', 'V', true, kTag + 1, 10, 14, false, Box::Verbot,
         kAenderungWiderrufen, false},
    };
    const QString bestehend = periode("04.03.2024", "04.03.2024", "08:00:00", "12:00:00");
    const QString naechsterTag = periode("05.03.2024", "05.03.2024", "08:00:00", "12:00:00");

    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        alleBuchungenLoeschen();
        gespeicherteBuchung(kTag, 8, 12);
        gespeicherteBuchung(kTag + 1, 8, 12);
        fleet::KollisionsPruefung = QLatin1Char(f.pruefung);
        fleet::KollisionsAktion = QLatin1Char(f.aktion);

        const base::TDateTime uhrBis = f.bis < 0 ? 0 : encodeTime(f.bis, 0);
        if (f.bearbeiten) {
            dispo().First();
            dispo().Edit();
            dispo().FieldByName("DatumVon")->SetAsDateTime(f.tag);
            dispo().FieldByName("DatumBis")->SetAsDateTime(f.tag);
            dispo().FieldByName("UhrzeitVon")->SetAsDateTime(encodeTime(f.von, 0));
            dispo().FieldByName("UhrzeitBis")->SetAsDateTime(uhrBis);
        } else {
            neueBuchung(f.tag, f.tag, encodeTime(f.von, 0), uhrBis);
            if (f.bis < 0)
                dispo().FieldByName("UhrzeitBis")->Clear();
        }
        if (f.hilfstabelleBelegt) {
            dm().TTblVar1.SetTableName("KfzDispo.DB");
            dm().TTblVar1.Open();
        }
        const QString andere = f.bearbeiten ? naechsterTag : bestehend;
        switch (f.box) {
        case Box::Keine:
            break;
        case Box::Verbot:
            meldungen.expectWarning(verbotenText(andere, f.widerruf));
            break;
        case Box::FrageJa:
            meldungen.expectWarningQuestion(warnFrage(andere), true);
            break;
        case Box::FrageNein:
            meldungen.expectWarningQuestion(warnFrage(andere), false);
            meldungen.expectInformation(aendernHinweis(f.widerruf));
            break;
        }
        const TDataSetState vorher = dispo().State();
        if (f.gespeichert) {
            dispo().Post();
            EXPECT_EQ(dispo().State(), TDataSetState::dsBrowse);
        } else {
            EXPECT_THROW(dispo().Post(), base::SilentAbort);
            EXPECT_EQ(dispo().State(), vorher);
            EXPECT_EQ(fenster().gewaehlteSpalte("DBGridDispo"), "UhrzeitVon");
        }
        EXPECT_TRUE(meldungen.verifyDone());
        const int erwartet = 2 + (f.gespeichert && !f.bearbeiten ? 1 : 0);
        EXPECT_EQ(m.zeilen("KfzDispo.DB"), erwartet);
        if (f.hilfstabelleBelegt) {
            EXPECT_TRUE(dm().TTblVar1.Active()) << "the borrower's scratch table is left alone";
            dm().TTblVar1.Close();
        }
    }
}

TEST_F(DispoRegeln, EmptyEndDateIsCompletedBeforeTheCollisionTest)
{
    gespeicherteBuchung(kTag, 8, 12);
    fleet::KollisionsPruefung = QLatin1Char('Z');
    fleet::KollisionsAktion = QLatin1Char('V');

    neueBuchung(kTag, kTag, encodeTime(11, 0), encodeTime(14, 0));
    dispo().FieldByName("DatumBis")->Clear();
    meldungen.expectWarning(
        verbotenText(periode("04.03.2024", "04.03.2024", "08:00:00", "12:00:00"), kNeuWiderrufen));
    EXPECT_THROW(dispo().Post(), base::SilentAbort);
    EXPECT_TRUE(meldungen.verifyDone());

    dispo().FieldByName("UhrzeitVon")->SetAsDateTime(encodeTime(12, 0));
    dispo().FieldByName("DatumBis")->Clear();
    dispo().Post();
    EXPECT_EQ(m.zeilen("KfzDispo.DB"), 2);
    EXPECT_DOUBLE_EQ(dispo().FieldByName("DatumBis")->AsDateTime(), kTag);
    EXPECT_EQ(feld("TagdesMonatsBis").toString(), "4");
    EXPECT_DOUBLE_EQ(dispo().FieldByName("DatumUhrzeitBis")->AsDateTime(), kTag + encodeTime(14, 0));
}

TEST_F(DispoRegeln, DerivedFieldsOfASavedBooking)
{
    dm().TTblMain.Next(); // B-2, the second vehicle
    ASSERT_EQ(dm().TTblMain.FieldByName("KfzNr")->AsString(), "B-2");
    neueBuchung(encodeDate(2024, 3, 5), encodeDate(2025, 4, 17), encodeTime(8, 30), encodeTime(17, 0));
    dispo().Post();
    EXPECT_EQ(feld("Kfznr").toString(), "B-2");
    EXPECT_EQ(feld("TagdesMonatsVon").toString(), "5");
    EXPECT_EQ(feld("MonatVon").toString(), "März");
    EXPECT_EQ(feld("JahrVon").toString(), "2024");
    EXPECT_EQ(feld("TagdesMonatsBis").toString(), "17");
    EXPECT_EQ(feld("MonatBis").toString(), "April");
    EXPECT_EQ(feld("JahrBis").toString(), "2025");
    EXPECT_DOUBLE_EQ(dispo().FieldByName("DatumUhrzeitVon")->AsDateTime(),
                     encodeDate(2024, 3, 5) + encodeTime(8, 30));
    EXPECT_DOUBLE_EQ(dispo().FieldByName("DatumUhrzeitBis")->AsDateTime(),
                     encodeDate(2025, 4, 17) + encodeTime(17, 0));
    EXPECT_EQ(feld("KfzIndex=0").toInt(), 0);
    EXPECT_EQ(feld("KfzIndex").toInt(), 2);
}

TEST_F(DispoRegeln, CreatorIsSetOnInsertOnlyAndGuardsChangesWhenAsked)
{
    fleet::AktuellerArbeitsplatz = "PC1";
    neueBuchung(kTag, kTag, encodeTime(8, 0), encodeTime(9, 0));
    dispo().Post();
    EXPECT_EQ(feld("AngelegtVon").toString(), "PC1");

    fleet::AktuellerArbeitsplatz = "PC2";
    dispo().Edit();
    dispo().FieldByName("Tour")->SetAsString("T1");
    dispo().Post();
    EXPECT_EQ(feld("AngelegtVon").toString(), "PC1");

    fleet::DispoNurEigene = true;
    meldungen.expectWarning("Sie haben nicht das Recht, diese Disposition zu ändern !");
    EXPECT_THROW(dispo().Edit(), base::SilentAbort);
    EXPECT_EQ(dispo().State(), TDataSetState::dsBrowse);
    meldungen.expectWarning("Sie haben nicht das Recht, diese Disposition zu löschen !");
    EXPECT_THROW(dispo().Delete(), base::SilentAbort);
    EXPECT_EQ(m.zeilen("KfzDispo.DB"), 1);
    EXPECT_TRUE(meldungen.verifyDone());

    // Bookings without a creator, and one's own, may be changed by anyone.
    gespeicherteBuchung(kTag + 1, 8, 9);
    ASSERT_TRUE(dispo().Locate("DatumVon", kTag + 1));
    dispo().Edit();
    dispo().Cancel();
    dispo().Delete();
    fleet::AktuellerArbeitsplatz = "PC1";
    dispo().First();
    dispo().Edit();
    dispo().Cancel();
    dispo().Delete();
    EXPECT_EQ(m.zeilen("KfzDispo.DB"), 0);
}

TEST_F(DispoRegeln, EndTimeBeforeStartTimeOnOneDayIsPointedOutAndSaved)
{
    fenster().Grid("DBGridDispo")->setSelectedIndex(0);
    neueBuchung(kTag, kTag, encodeTime(14, 0), encodeTime(10, 0));
    meldungen.expectError("Bitte geben Sie die Uhrzeit/Bis größer ein als die Uhrzeit/Von");
    dispo().Post();
    EXPECT_EQ(dispo().State(), TDataSetState::dsBrowse);
    EXPECT_EQ(m.zeilen("KfzDispo.DB"), 1);
    EXPECT_EQ(fenster().gewaehlteSpalte("DBGridDispo"), "UhrzeitBis");

    // Over two days the times do not matter.
    neueBuchung(kTag + 1, kTag + 2, encodeTime(14, 0), encodeTime(10, 0));
    dispo().Post();
    EXPECT_TRUE(meldungen.verifyDone());
}

TEST_F(DispoRegeln, BookingWithoutStartDateIsRefused)
{
    neueBuchung(kTag, kTag, encodeTime(8, 0), encodeTime(9, 0));
    dispo().FieldByName("DatumVon")->Clear();
    meldungen.expectError(
        "Bitte geben Sie mindestens ein DatumVon ein, da sonst eine zeiltliche Zuordnung der "
        "Fahrzeugbelegung nicht möglich ist");
    EXPECT_THROW(dispo().Post(), base::SilentAbort);
    EXPECT_EQ(dispo().State(), TDataSetState::dsInsert);
    EXPECT_EQ(fenster().gewaehlteSpalte("DBGridDispo"), "DatumVon");
}

TEST_F(DispoRegeln, PeriodDialogIsPresetAndItsAbortAddsNoRow)
{
    // The dialog is preset with the visible period; the times are those of
    // the last confirmed dialog.
    fenster().ersterTag = encodeDate(2024, 7, 1);
    fenster().letzterTag = encodeDate(2024, 7, 3);
    neueBuchung(kTag, kTag, encodeTime(9, 0), encodeTime(10, 0));
    dispo().Cancel();
    EXPECT_DOUBLE_EQ(dienste.letzteVorgabe.DatumVon, encodeDate(2024, 7, 1));
    EXPECT_DOUBLE_EQ(dienste.letzteVorgabe.DatumBis, encodeDate(2024, 7, 3));

    // Without a visible period: today; a view on another vehicle or period
    // is put back first.
    fenster().ersterTag.reset();
    fenster().letzterTag.reset();
    fenster().dispoSicht = 3;
    fenster().aufrufe.clear();
    meldungen.expectInformation(
        "Zur Eingabe neuer Daten wird die Anzeige auf \"Aktuelles Fahrzeug\" gestellt "
        "und der sichtbare Zeitraum auf \"Alle\"");
    dienste.zeitraumBestaetigen = false;
    EXPECT_THROW(dispo().Append(), base::SilentAbort);
    EXPECT_DOUBLE_EQ(dienste.letzteVorgabe.DatumVon, encodeDate(2024, 6, 1));
    EXPECT_DOUBLE_EQ(dienste.letzteVorgabe.DatumBis, encodeDate(2024, 6, 1));
    EXPECT_DOUBLE_EQ(dienste.letzteVorgabe.UhrzeitVon, encodeTime(9, 0));
    EXPECT_DOUBLE_EQ(dienste.letzteVorgabe.UhrzeitBis, encodeTime(10, 0));
    EXPECT_EQ(fenster().aufrufe, QStringList({"DispoFahrzeugAuswahlSetzen(0)", "DispoSichtSetzen(0)"}));

    // Aborted: no row, nothing filled.
    EXPECT_EQ(dispo().State(), TDataSetState::dsBrowse);
    EXPECT_FALSE(fleet::DispoEingabeBestaetigt);
    EXPECT_EQ(m.zeilen("KfzDispo.DB"), 0);
    EXPECT_TRUE(dispo().IsEmpty());
}

TEST_F(DispoRegeln, WithoutThePeriodDialogTheBookingIsTypedInTheGridAndStillChecked)
{
    gespeicherteBuchung(kTag, 8, 12);
    fleet::KollisionsPruefung = QLatin1Char('Z');
    fleet::KollisionsAktion = QLatin1Char('V');
    // No scheduling part in force; a confirmation left from an earlier
    // dialog must not fill the new row.
    fleet::TerminDienste *vorher = fleet::Dienst<fleet::TerminDienste>::setzen(nullptr);
    fleet::DispoEingabeBestaetigt = true;

    EXPECT_NO_THROW(dispo().Append());
    ASSERT_EQ(dispo().State(), TDataSetState::dsInsert);
    EXPECT_FALSE(fleet::DispoEingabeBestaetigt);
    EXPECT_TRUE(dispo().FieldByName("DatumVon")->IsNull());
    EXPECT_TRUE(dispo().FieldByName("UhrzeitVon")->IsNull());
    EXPECT_FALSE(fenster().aufrufe.contains("DispoKnoepfeFreigeben(0)"));

    // Typed in the grid without an end date: completed, then tested.
    dispo().FieldByName("DatumVon")->SetAsDateTime(kTag);
    dispo().FieldByName("UhrzeitVon")->SetAsDateTime(encodeTime(11, 0));
    dispo().FieldByName("UhrzeitBis")->SetAsDateTime(encodeTime(14, 0));
    meldungen.expectWarning(
        verbotenText(periode("04.03.2024", "04.03.2024", "08:00:00", "12:00:00"), kNeuWiderrufen));
    EXPECT_THROW(dispo().Post(), base::SilentAbort);
    EXPECT_EQ(dispo().State(), TDataSetState::dsInsert);
    EXPECT_EQ(m.zeilen("KfzDispo.DB"), 1);

    dispo().FieldByName("UhrzeitVon")->SetAsDateTime(encodeTime(12, 0));
    dispo().Post();
    EXPECT_TRUE(meldungen.verifyDone());
    EXPECT_EQ(m.zeilen("KfzDispo.DB"), 2);
    EXPECT_DOUBLE_EQ(dispo().FieldByName("DatumBis")->AsDateTime(), kTag);
    EXPECT_EQ(feld("Kfznr").toString(), "A-1");
    EXPECT_EQ(feld("TagdesMonatsVon").toString(), "4");
    fleet::Dienst<fleet::TerminDienste>::setzen(vorher);
}

TEST_F(DispoRegeln, NewBookingIsFilledFromTheVehicleOrCarriedForward)
{
    neueBuchung(kTag, kTag + 1, encodeTime(8, 0), encodeTime(12, 0));
    EXPECT_TRUE(fenster().aufrufe.contains("DispoKnoepfeFreigeben(0)"));
    EXPECT_EQ(fenster().gewaehlteSpalte("DBGridDispo"), "UhrzeitBis") << "the fifth column";
    EXPECT_DOUBLE_EQ(dispo().FieldByName("DatumBis")->AsDateTime(), kTag + 1);
    EXPECT_DOUBLE_EQ(dispo().FieldByName("UhrzeitVon")->AsDateTime(), encodeTime(8, 0));
    EXPECT_EQ(feld("FahrerName").toString(), "Maier");
    EXPECT_EQ(feld("FahrerKz").toString(), "MA");
    EXPECT_EQ(feld("FahrerNr").toString(), "7");
    EXPECT_EQ(feld("Kostenstelle").toString(), "Nord");
    fenster().aufrufe.clear();
    dispo().Post();
    EXPECT_TRUE(fenster().aufrufe.contains("DispoAuslastungAnzeigen"));
    EXPECT_TRUE(fenster().aufrufe.contains("DispoKnoepfeFreigeben(1)"));

    // Carried forward: the dialog starts from the marked booking, the texts
    // come from the copy.
    fleet::DispoFortschreiben = true;
    fleet::DispoKopie = {"T9", "Huber", "HU", "9", "Süd", "B1", "B2", "B3"};
    neueBuchung(kTag + 7, kTag + 7, encodeTime(8, 0), encodeTime(12, 0));
    EXPECT_DOUBLE_EQ(dienste.letzteVorgabe.DatumVon, kTag);
    EXPECT_DOUBLE_EQ(dienste.letzteVorgabe.DatumBis, kTag + 1);
    EXPECT_DOUBLE_EQ(dienste.letzteVorgabe.UhrzeitBis, encodeTime(12, 0));
    const QStringList texte{"Tour",         "FahrerName", "FahrerKz",   "FahrerNr",
                            "Kostenstelle", "Bemerkung1", "Bemerkung2", "Bemerkung3"};
    QStringList werte;
    for (const QString &t : texte)
        werte << dispo().FieldByName(t)->AsString();
    EXPECT_EQ(werte, QStringList({"T9", "Huber", "HU", "9", "Süd", "B1", "B2", "B3"}));
    fenster().aufrufe.clear();
    dispo().Cancel();
    EXPECT_EQ(fenster().aufrufe.filter("Knoepfe"), QStringList({"DispoKnoepfeFreigeben(1)"}));
}

TEST_F(DispoRegeln, RefusedBookingIsExplainedAsDuplicateOnlyForAKeyViolation)
{
    gespeicherteBuchung(kTag, 8, 12);
    neueBuchung(kTag, kTag, encodeTime(8, 0), encodeTime(12, 0));
    meldungen.expectError(
        "Ein Dispositionsdatensatz für genau diesen Zeitraum ist schon vorhanden - Bitte ändern "
        "Sie den Zeitraum (Datum/Uhrzeit) oder löschen Sie diesen Datensatz.");
    EXPECT_THROW(dispo().Post(), base::SilentAbort);
    EXPECT_EQ(dispo().State(), TDataSetState::dsInsert);
    EXPECT_EQ(fenster().gewaehlteSpalte("DBGridDispo"), "UhrzeitVon");

    dispo().FieldByName("UhrzeitVon")->SetAsDateTime(encodeTime(13, 0));
    dispo().FieldByName("UhrzeitBis")->SetAsDateTime(encodeTime(15, 0));
    dispo().FieldByName("Tour")->SetRequired(true);
    meldungen.expectError("Feld 'Tour' muss einen Wert haben");
    EXPECT_THROW(dispo().Post(), base::SilentAbort);
    EXPECT_TRUE(meldungen.verifyDone());
}

TEST_F(DispoRegeln, DeletingRefreshesTheUtilisation)
{
    gespeicherteBuchung(kTag, 8, 12);
    fenster().aufrufe.clear();
    dispo().Delete();
    EXPECT_TRUE(fenster().aufrufe.contains("DispoAuslastungAnzeigen"));
    EXPECT_EQ(m.zeilen("KfzDispo.DB"), 0);
}

} // namespace
