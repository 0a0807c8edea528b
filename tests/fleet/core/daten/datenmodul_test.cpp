#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Programmkoerper.h"
#include "daten/Programmstart.h"
#include "daten/schema/Katalog.h"
#include "dbe/Table.h"
#include "dienste/Formularzugriff.h"
#include "kern_umgebung.h"

namespace fleet {
void SingletonsEintragen(Programmkoerper &koerper, dbe::TSession &session);
}

namespace {

using fleet::DataModule1;
using fleet::TDataModule1;
using kerntest::Umgebung;
using kerntest::zeileAnfuegen;

const QStringList kTourFelder{"KfzNr", "Datum", "Tour", "GefahrenKm"};

void fahrzeug(dbe::TSession &s, const QString &kfzNr)
{
    zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr", "Info"}, {kfzNr, "Info " + kfzNr});
}

void tour(dbe::TSession &s, const QString &kfzNr, int tag, const QString &name)
{
    zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzTour.db", kTourFelder,
                  {kfzNr, base::encodeDate(2024, 3, tag), name, 100.0});
}

TEST(Programmkoerper, CreatesInOrderAndFreesInReverse)
{
    QStringList protokoll;
    fleet::Programmkoerper k;
    for (const char *klasse : {"A", "B", "C"}) {
        const QString n = QString::fromLatin1(klasse);
        k.eintragen(
            n, [&protokoll, n] { protokoll << "+" + n; }, [&protokoll, n] { protokoll << "-" + n; });
    }
    k.erzeugen();
    k.freigeben();
    k.freigeben(); // nothing left
    EXPECT_EQ(protokoll, QStringList({"+A", "+B", "+C", "-C", "-B", "-A"}));

    // A failing creation frees what was made before it and reports the error.
    protokoll.clear();
    fleet::Programmkoerper f;
    f.eintragen(
        "A", [&] { protokoll << "+A"; }, [&] { protokoll << "-A"; });
    f.eintragen(
        "B", [&] { protokoll << "+B"; }, [&] { protokoll << "-B"; });
    f.eintragen(
        "C", [] { throw std::runtime_error("kaputt"); }, [&] { protokoll << "-C"; });
    EXPECT_THROW(f.erzeugen(), std::runtime_error);
    EXPECT_EQ(protokoll, QStringList({"+A", "+B", "-B", "-A"}));
}

TEST(Programmkoerper, FormsMadeOnFirstUseComeWhenAskedForOnceTheStartPassedThemAndGoInTheirPlace)
{
    QStringList protokoll;
    bool cFragtNachB = false, cFragtNachD = false;
    fleet::Programmkoerper k;
    const auto schritt = [&](const QString &klasse, const QString &formular,
                             std::function<void()> dabei = {}) {
        auto erzeugen = [&protokoll, klasse, dabei] {
            if (dabei)
                dabei();
            protokoll << "+" + klasse;
        };
        auto freigeben = [&protokoll, klasse] { protokoll << "-" + klasse; };
        if (formular.isEmpty())
            k.eintragen(klasse, erzeugen, freigeben);
        else
            k.eintragenBeiBedarf(klasse, formular, erzeugen, freigeben);
    };
    schritt("TA", "");
    schritt("TB", "B");
    // A form made at start that looks for others: one before it in the order
    // existed at that moment, one after it not yet.
    schritt("TC", "", [&] {
        cFragtNachB = fleet::FormularErzeugen("B");
        cFragtNachD = fleet::FormularErzeugen("D");
    });
    schritt("TD", "D");
    // A form whose making asks for itself, and one whose making fails once.
    schritt("TE", "E", [] { fleet::FormularErzeugen("E"); });
    bool fFehlt = true;
    schritt("TF", "F", [&fFehlt] {
        if (std::exchange(fFehlt, false))
            throw std::runtime_error("kaputt");
    });

    EXPECT_FALSE(k.bereitstellen("B")) << "before the start";
    k.erzeugen();
    EXPECT_TRUE(cFragtNachB);
    EXPECT_FALSE(cFragtNachD);
    EXPECT_EQ(protokoll, QStringList({"+TA", "+TB", "+TC"}));

    protokoll.clear();
    const struct {
        const char *formular;
        bool gemacht;
    } anfragen[] = {{"D", true}, {"D", false}, {"B", false}, {"Unbekannt", false}, {"", false}, {"E", true}};
    for (const auto &a : anfragen)
        EXPECT_EQ(fleet::FormularErzeugen(a.formular), a.gemacht) << a.formular;
    EXPECT_THROW(k.bereitstellen("F"), std::runtime_error);
    EXPECT_FALSE(k.erzeugt("TF"));
    EXPECT_TRUE(k.bereitstellen("F")) << "a failed making is tried again";
    EXPECT_EQ(protokoll, QStringList({"+TD", "+TE", "+TF"}));
    for (const char *klasse : {"TA", "TB", "TC", "TD", "TE", "TF"})
        EXPECT_TRUE(k.erzeugt(klasse)) << klasse;

    protokoll.clear();
    k.freigeben();
    EXPECT_EQ(protokoll, QStringList({"-TF", "-TE", "-TD", "-TC", "-TB", "-TA"}));
    EXPECT_FALSE(fleet::FormularErzeugen("B")) << "after the end";

    // A form never asked for is never made nor freed.
    protokoll.clear();
    fleet::Programmkoerper nurStart;
    nurStart.eintragen(
        "TA", [&] { protokoll << "+TA"; }, [&] { protokoll << "-TA"; });
    nurStart.eintragenBeiBedarf(
        "TB", "B", [&] { protokoll << "+TB"; }, [&] { protokoll << "-TB"; });
    nurStart.erzeugen();
    nurStart.freigeben();
    EXPECT_EQ(protokoll, QStringList({"+TA", "-TA"}));
}

TEST(Programmkoerper, ProgramBodyCreatesTheDataModuleFirstAndKeepsTheFixedOrder)
{
    const QStringList fest{"TDataModule1",
                           "THauptFormular",
                           "TerminDienste", // in force in its first form's place
                           "TTerminFormular",
                           "TTerminInfoDlg",
                           "TEinstellungenFormular",
                           "TCopyright",
                           "TPasswordDlg",
                           "TAlleFahrzeugeFormular",
                           "THilfeFormular",
                           "TTourAuswertungFormular",
                           "TFuhrparkKostenFormular",
                           "TDispositionEingabeFormular",
                           "TMandantenFormular",
                           "TTourEditFormular"};
    Umgebung u;
    fleet::Programmkoerper k;
    fleet::SingletonsEintragen(k, u.session());
    const QStringList reihenfolge = k.Reihenfolge();
    ASSERT_FALSE(reihenfolge.isEmpty());
    EXPECT_EQ(reihenfolge.first(), "TDataModule1");
    qsizetype letzte = -1;
    for (const QString &klasse : reihenfolge) {
        const qsizetype pos = fest.indexOf(klasse);
        EXPECT_GT(pos, letzte) << klasse.toStdString();
        letzte = pos;
    }
}

TEST(TDataModule1, AfterStartUpExactlyTheTablesOfDateienOeffnenAreOpen)
{
    Umgebung u;
    kerntest::MeldungsRekorder meldungen;
    QStringList offen, geschlossen, schliessReihenfolge;
    fleet::Programmkoerper k;
    fleet::SingletonsEintragen(k, u.session());
    const int code = fleet::ProgrammStarten(
        k,
        [&] {
            for (dbe::TTable *t : DataModule1->AlleTabellen())
                (t->Active() ? offen : geschlossen) << t->Name();
            for (dbe::TTable *t : DataModule1->HauptTabellen())
                t->AfterClose = [&schliessReihenfolge](dbe::TDataSet &d) { schliessReihenfolge << d.Name(); };
            return 0;
        },
        u.session());
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(meldungen.texte.isEmpty());
    EXPECT_EQ(offen.size(), 19);
    EXPECT_EQ(geschlossen, QStringList({"TTblTermine", "TTblVar1", "TTblVar", "TblBild", "TblMandanten"}));
    EXPECT_EQ(DataModule1, nullptr);
    EXPECT_EQ(schliessReihenfolge,
              QStringList({"TTblTouren", "TTblVarKosten", "TTblMonatKosten", "TTblEinstellungenPriv",
                           "TTblEinstellungenAllgem", "TTblAlleFahrzeuge", "TTblTerminKz", "TTblHilfe",
                           "TTblGruppe", "TTblStandort", "TTblFuhrparkKosten", "TTblReifen", "TTblHistorie",
                           "TTblReifentyp", "TTblDispo", "TTblFahrer", "TblSchadensmanagement",
                           "TblLeasinggesellschaft", "TTblMain"}));
}

TEST(TDataModule1, OpensTheVehicleMasterFirstAndDeclaresTwentyFourTables)
{
    Umgebung u;
    TDataModule1 dm(&u.session());
    EXPECT_EQ(dm.AlleTabellen().size(), 24);
    dm.DateienSchliessen();
    for (dbe::TTable *t : dm.AlleTabellen())
        EXPECT_FALSE(t->Active()) << t->Name().toStdString();
    QStringList oeffnen;
    for (dbe::TTable *t : dm.AlleTabellen())
        t->AfterOpen = [&oeffnen](dbe::TDataSet &d) { oeffnen << d.Name(); };
    dm.DateienOeffnen();
    EXPECT_EQ(oeffnen,
              QStringList({"TTblMain", "TTblTouren", "TTblVarKosten", "TTblMonatKosten",
                           "TTblEinstellungenPriv", "TTblEinstellungenAllgem", "TTblAlleFahrzeuge",
                           "TTblTerminKz", "TTblHilfe", "TTblGruppe", "TTblStandort", "TTblFuhrparkKosten",
                           "TTblReifen", "TTblHistorie", "TTblReifentyp", "TTblDispo", "TTblFahrer",
                           "TblSchadensmanagement", "TblLeasinggesellschaft"}));
}

TEST(TDataModule1, DetailTablesShowOnlyTheCurrentVehiclesRows)
{
    Umgebung u;
    fahrzeug(u.session(), "B-AA 1");
    fahrzeug(u.session(), "B-BB 2");
    tour(u.session(), "B-AA 1", 1, "T1");
    tour(u.session(), "B-BB 2", 2, "T2");
    tour(u.session(), "B-AA 1", 3, "T3");
    zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer"},
                  {"B-BB 2", base::encodeDate(2024, 1, 5), "R1"});

    TDataModule1 dm(&u.session());
    ASSERT_EQ(dm.TTblMain.FieldByName("KfzNr")->AsString(), "B-AA 1");
    EXPECT_EQ(dm.TTblTouren.RecordCount(), 2);
    for (dm.TTblTouren.First(); !dm.TTblTouren.Eof(); dm.TTblTouren.Next())
        EXPECT_EQ(dm.TTblTouren.FieldByName("KfzNr")->AsString(), "B-AA 1");
    EXPECT_TRUE(dm.TTblVarKosten.IsEmpty());

    dm.TTblMain.Next();
    ASSERT_EQ(dm.TTblMain.FieldByName("KfzNr")->AsString(), "B-BB 2");
    EXPECT_EQ(dm.TTblTouren.RecordCount(), 1);
    EXPECT_EQ(dm.TTblTouren.FieldByName("Tour")->AsString(), "T2");
    EXPECT_EQ(dm.TTblVarKosten.RecordCount(), 1);
}

TEST(TDataModule1, PostedTourIsVisibleAtOnceToASecondProcess)
{
    Umgebung u;
    fahrzeug(u.session(), "B-AA 1");
    TDataModule1 dm(&u.session());
    EXPECT_EQ(kerntest::ZweiterArbeitsplatz::einmal("zaehlen", fleet::kAliasFuhrpark, "KfzTour.db"), "0");

    dm.TTblTouren.Append();
    dm.TTblTouren.FieldByName("Datum")->SetAsDateTime(base::encodeDate(2024, 5, 2));
    dm.TTblTouren.FieldByName("Tour")->SetAsString("Nord");
    dm.TTblTouren.FieldByName("GefahrenKm")->SetAsFloat(120);
    dm.TTblTouren.Post();
    // The master link filled the vehicle.
    EXPECT_EQ(dm.TTblTouren.FieldByName("KfzNr")->AsString(), "B-AA 1");
    EXPECT_EQ(kerntest::ZweiterArbeitsplatz::einmal("zaehlen", fleet::kAliasFuhrpark, "KfzTour.db"), "1");
}

TEST(TDataModule1, TableThatCannotBeOpenedEndsTheProgramWithOneMessage)
{
    Umgebung u;
    kerntest::ZweiterArbeitsplatz anderer("exklusiv", fleet::kAliasFuhrpark, "KfzTour.db");
    ASSERT_TRUE(anderer.bereit());
    kerntest::MeldungsRekorder meldungen;
    bool schleifeGelaufen = false;
    fleet::Programmkoerper k;
    fleet::SingletonsEintragen(k, u.session());
    const int code = fleet::ProgrammStarten(
        k,
        [&] {
            schleifeGelaufen = true;
            return 0;
        },
        u.session());
    EXPECT_NE(code, 0);
    EXPECT_FALSE(schleifeGelaufen);
    EXPECT_EQ(DataModule1, nullptr);
    ASSERT_EQ(meldungen.texte.size(), 1);
    EXPECT_TRUE(meldungen.texte[0].startsWith("Die Tabelle \"KfzTour.db\" konnte nicht geöffnet werden:\r"))
        << meldungen.texte[0].toStdString();
    EXPECT_TRUE(meldungen.texte[0].endsWith("\r\rDas Programm wird beendet."));
    EXPECT_GT(meldungen.texte[0].size(),
              QString("Die Tabelle \"KfzTour.db\" konnte nicht geöffnet werden:\r\r\r"
                      "Das Programm wird beendet.")
                  .size());
}

TEST(TDataModule1, FieldListsCarryCaptionsFormatsVisibilityAndLookups)
{
    Umgebung u;
    fahrzeug(u.session(), "B-AA 1");
    zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzFahrer.DB", {"Name"}, {"Meier"});
    zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzTour.db", {"KfzNr", "Datum", "Tour", "FahrerName"},
                  {"B-AA 1", base::encodeDate(2024, 1, 1), "T", "Meier"});
    TDataModule1 dm(&u.session());

    const dbe::TField *mwst = dm.TTblVarKosten.FieldByName("Mwst");
    EXPECT_EQ(mwst->DisplayLabel(), "Km.Stand");
    EXPECT_EQ(mwst->DisplayFormat(), "#########0");
    EXPECT_FALSE(dm.TTblVarKosten.FieldByName("KfzNr")->Visible());
    EXPECT_EQ(dm.TTblVarKosten.FieldByName("TerminKzDummy")->DisplayLabel(), "TerminKz");
    EXPECT_EQ(dm.TTblMain.FieldByName("Restbuchwert")->DisplayLabel(), "Fahrer");
    // Lists, table views and bookmarks head their columns as the forms name the fields.
    EXPECT_EQ(dm.TTblMain.FieldByName("KfzNr")->DisplayLabel(), "Kennzeichen");
    EXPECT_EQ(dm.TblMandanten.FieldByName("Name1")->DisplayLabel(), "Name");
    EXPECT_EQ(dm.TblLeasinggesellschaft.FieldByName("Name1")->DisplayLabel(), "Leasinggesellschaft");
    EXPECT_EQ(dm.TTblMain.FieldCount(), fleet::KatalogTabelle("KfzStamm.db")->fields.size());
    // The tours show the declared subset: Reserve1 is stored but not listed.
    EXPECT_EQ(dm.TTblTouren.FindField("Reserve1"), nullptr);
    EXPECT_EQ(dm.TTblTouren.FieldCount(), 17);
    const dbe::TField *fahrer = dm.TTblTouren.FieldByName("FahrerNameDummy");
    EXPECT_TRUE(fahrer->Lookup());
    EXPECT_EQ(fahrer->AsString(), "Meier");
    EXPECT_FALSE(dm.TTblTouren.FieldByName("FahrerName")->Visible());
    EXPECT_EQ(dm.TTblTermine.FieldCount(), 45);

    // Litres and money show two decimals wherever they are listed, as the
    // forms and reports do: 40,25 litres are never "40,2".
    dbe::TField *liter = dm.TTblVarKosten.FieldByName("Benzin/Liter");
    EXPECT_EQ(liter->DisplayFormat(), "#########0.00");
    for (dbe::TTable *t : dm.AlleTabellen())
        for (int i = 0; i < t->FieldCount(); ++i) {
            const QString format = t->Fields(i)->DisplayFormat();
            if (format.contains('.')) {
                EXPECT_TRUE(format.endsWith(".00"))
                    << t->TableName().toStdString() << " " << t->Fields(i)->FieldName().toStdString();
            }
        }
}

} // namespace
