// The fuel-card import: the plain readers, and import, check and posting over
// real text files and tables in a fresh home.
#include <random>

#include <gtest/gtest.h>

#include <QDir>

#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModuleImport.h"
#include "dbe/Field.h"
#include "dbe/Table.h"
#include "kern_umgebung.h"
#include "logik/TankImport.h"
#include "logik/TankdatenLesen.h"
#include "regeln/DetailRegeln.h"
#include "tank_dateien.h"
#include "temp_dir.h"
#include "termin_umgebung.h"
#include "ui/testing/ScriptedMessages.h"

using base::encodeDate;
using fleet::tank::BetragLesen;
using fleet::tank::MarkerDatum;
using fleet::tank::PruefZaehler;
using fleet::tank::TankDatumLesen;
using fleet::tank::TankImport;

namespace {

void failGTest(const QString &grund)
{
    ADD_FAILURE() << grund.toStdString();
}

TEST(TankDatumLesen, EightFormatsAndTheMarkerDate)
{
    const base::TDateTime tag = encodeDate(2005, 2, 3);
    const std::pair<const char *, const char *> formate[] = {
        {"YYYYMMTT", "20050203"},     {"TT.MM.YYYY", "03.02.2005"}, {"YYMMTT", "050203"},
        {"TTMMYY", "030205"},         {"MMTTYYYY", "02032005"},     {"TTMMYYYY", "03022005"},
        {"YYYY.MM.TT", "2005.02.03"}, {"MM.TT.YYYY", "02.03.2005"}};
    for (const auto &[format, text] : formate)
        EXPECT_EQ(TankDatumLesen(text, format), tag) << format;
    EXPECT_EQ(TankDatumLesen("010204", "ttmmyy"), encodeDate(2004, 2, 1));
    const std::pair<const char *, const char *> falsch[] = {
        {"300205", "TTMMYY"},         {"", "TTMMYY"},       {"0302", "TTMMYY"},
        {"03.02.2005", "DD.MM.YYYY"}, {"0x0205", "TTMMYY"}, {"03.02.2005", "TTMMYY"}};
    for (const auto &[text, format] : falsch)
        EXPECT_EQ(TankDatumLesen(text, format), MarkerDatum()) << text << " " << format;
}

TEST(BetragLesen, DotCommaAndCents)
{
    const std::pair<const char *, double> faelle[] = {
        {"12.34", 12.34}, {"1234", 12.34}, {" 1234", 12.34}, {"12,5", 12.5},      {"-5.00", -5},
        {"0,00", 0},      {"abc", 0},      {"", 0},          {"1.234,56", 0},     {"5", 0.05},
        {"-5", -0.05},    {"-", 0},        {"1e5", 0},       {"00004523", 45.23}, {"12.3.4", 0}};
    for (const auto &[text, wert] : faelle)
        EXPECT_DOUBLE_EQ(BetragLesen(text), wert) << text;
}

TEST(WarengruppeZuordnen, FirstExactMatchWins)
{
    fleet::tank::TankdateiKonfiguration k;
    k.Warengruppe[0] = "010";
    k.Varkosten[0] = 1;
    k.Warengruppe[1] = "abc";
    k.Varkosten[1] = 2;
    k.Warengruppe[2] = "010";
    k.Varkosten[2] = 3;
    EXPECT_EQ(fleet::tank::WarengruppeZuordnen(k, "010"), 1);
    EXPECT_EQ(fleet::tank::WarengruppeZuordnen(k, "ABC"), 0);
    EXPECT_EQ(fleet::tank::WarengruppeZuordnen(k, "abc"), 2);
    EXPECT_EQ(fleet::tank::WarengruppeZuordnen(k, "999"), 0);
}

class TankImportTest : public ::testing::Test {
protected:
    termintest::TerminUmgebung u;
    fleet::TDataModuleImport imp{&u.session()};
    testsupport::TempDir ablage;
    QString dateiTyp;

    void SetUp() override
    {
        u.fahrzeug("AB-CD12", 52000);
        u.fahrzeug("MÜ-AB 77", 18500);
        u.fahrzeug("B-KL 456", 98000);
        kosten("AB-CD12", encodeDate(2005, 2, 6), "4805");
        konfig("TANKFIX", "20", "TTMMYY", false, {{"010", 1}, {"011", 1}, {"030", 3}, {"050", 6}});
        konfig("TANKCSV", "D", "tt.mm.yyyy", true,
               {{"200", 1}, {"201", 1}, {"300", 3}, {"400", 6}, {"500", 2}, {"600", 5}, {"700", 7}});
    }

    void kosten(const QString &kfz, base::TDateTime datum, const QString &beleg)
    {
        kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzVar.db",
                                {"KfzNr", "BelegDatum", "BelegNummer", "Benzin/Preis"},
                                {kfz, datum, beleg, 1.0});
    }
    void konfig(const QString &typ, const QString &satzart, const QString &format, bool netto,
                const QList<std::pair<QString, int>> &gruppen)
    {
        QStringList felder{"TankdateiTyp", "Satzart", "Datumsformat", "NettoKostenZuordnen"};
        QVariantList werte{typ, satzart, format, netto};
        for (int i = 0; i < gruppen.size(); ++i) {
            felder << QStringLiteral("Warengruppe%1").arg(i + 1) << QStringLiteral("Varkosten%1").arg(i + 1);
            werte << gruppen[i].first << gruppen[i].second;
        }
        kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "TKonfig.DB", felder, werte);
    }
    QString pfad(const std::string &name) { return QString::fromStdString((ablage / name).string()); }

    void tankfixSchreiben() { tanktest::tankfixSchreiben(ablage); }
    void tankcsvSchreiben(const char *kennzeichenFeld = "Kennzeichen")
    {
        testsupport::writeFile(
            ablage / "TANKCSV.SCH",
            std::string("[TANKCSV]\r\nFILETYPE = VARYING\r\nCHARSET = ANSIINTL\r\n"
                        "DELIMITER = \"\r\nSEPARATOR = ;\r\n"
                        "Field1 = Satzart,CHAR,2,00,00\r\nField2 = ") +
                kennzeichenFeld +
                ",CHAR,12,00,00\r\n"
                "Field3 = Rechnungsdatum,CHAR,10,00,00\r\nField4 = Belegnummer,CHAR,10,00,00\r\n"
                "Field5 = Kmstand,CHAR,7,00,00\r\nField6 = Warengruppenschluessel,CHAR,3,00,00\r\n"
                "Field7 = Artikelbezeichnung,CHAR,30,00,00\r\nField8 = Menge,CHAR,8,00,00\r\n"
                "Field9 = Nettowarenwert,CHAR,9,00,00\r\n"
                "Field10 = Umsatzsteuerbetrag,CHAR,9,00,00\r\n"
                "Field11 = Bruttowarenwert,CHAR,9,00,00\r\nField12 = Filiale,CHAR,20,00,00\r\n");
        auto z = [](const char *beleg, const char *kennz, const char *datum, const char *km,
                    const char *gruppe, const char *menge, const char *netto, const char *mwst,
                    const char *brutto) {
            return std::string("\"D\";\"") + kennz + "\";\"" + datum + "\";\"" + beleg + "\";\"" + km +
                   "\";\"" + gruppe + "\";\"Artikel " + gruppe + "\";\"" + menge + "\";\"" + netto + "\";\"" +
                   mwst + "\";\"" + brutto + "\";\"Köln\"\r\n";
        };
        testsupport::writeFile(
            ablage / "TANKCSV.txt",
            std::string("\"K\";\"Kopf\"\r\n") +
                z("4801", "B-KL 456", "01.02.2005", "98500", "201", "60.10", "54.11", "10.28", "64.39") +
                z("4802", "M\xDC-AB 77", "02.02.2005", "18700", "400", "1.00", "8.62", "1.64", "10.26") +
                z("4803", "B-KL 456", "03.02.2005", "98600", "500", "1.00", "-5.00", "-0.95", "-5.95") +
                z("4804", "AB-CD12", "05.02.2005", "52900", "200", "30.00", "0,00", "0,00", "0,00") +
                z("4805", "AB-CD12", "06.02.2005", "53000", "600", "4.00", "400.00", "76.00", "476.00") +
                "\"D\";\"AB-CD12\";\"07.02.2005\";\"4806\";\"abc\";\"700\";\"Artikel 700\";"
                "1234;1234;198;1432;\"Bonn\"\r\n" +
                z("4807", "AB-CD12", "2005-02-08", "53200", "200", "20.00", "36.00", "6.84", "42.84") +
                "\"S\";\"Summe\"\r\n");
    }

    // The run with its question, then the one box it ends with.
    void importieren(ui::testing::ScriptedMessages &m, TankImport &t, const QString &datei,
                     const QString &ende, ui::MsgType typ = ui::MsgType::Information)
    {
        m.expectQuestion("Möchten Sie die Tankdaten jetzt importieren", true);
        m.expect(typ, ende, ui::MsgButtons::Ok, ui::Answer::Ok);
        t.Importieren([&] { return std::optional<QString>(datei); });
    }
    // Staged lines by document number: "flags" as R(ot) G(rau) Y(gelb) T(ürkis) L(ime, gebucht).
    std::map<QString, QString> flaggen()
    {
        std::map<QString, QString> f;
        dbe::TTable &s = imp.TTblImport;
        for (s.First(); !s.Eof(); s.Next()) {
            QString k;
            auto an = [&s](const char *n) { return s.FieldByName(n)->AsBoolean(); };
            k += an("KennzNichtGefunden") ? "R" : "";
            k += an("NichtZugeordnet") ? "G" : "";
            k += an("Fehlerhaft") ? "Y" : "";
            k += an("NichtBuchbar") ? "T" : "";
            k += an("Gebucht") ? "L" : "";
            f[s.FieldByName("Belegnummer")->AsString() + "/" +
              s.FieldByName("Warengruppenschluessel")->AsString()] = k;
        }
        return f;
    }
    double kmStand(const QString &kfz)
    {
        dbe::TTable t(&u.session());
        t.SetDatabaseName(fleet::kAliasFuhrpark);
        t.SetTableName("KfzStamm.db");
        t.Open();
        EXPECT_TRUE(t.FindKey({kfz}));
        return t.FieldByName("KfzKmStand")->AsFloat();
    }
    // Cost rows of the vehicle: document number -> "field=value".
    std::map<QString, double> kostenVon(const QString &kfz, const char *betrag)
    {
        std::map<QString, double> k;
        dbe::TTable t(&u.session());
        t.SetDatabaseName(fleet::kAliasFuhrpark);
        t.SetTableName("KfzVar.db");
        t.Open();
        for (t.First(); !t.Eof(); t.Next())
            if (t.FieldByName("KfzNr")->AsString() == kfz)
                k[t.FieldByName("BelegNummer")->AsString()] = t.FieldByName(betrag)->AsFloat();
        return k;
    }
    QString gespeicherterTyp()
    {
        dbe::TTable &e = u.dm().TTblEinstellungenAllgem;
        if (!e.Active())
            e.Open();
        e.Refresh();
        return e.FieldByName("TankDateiTyp")->AsString();
    }
};

TEST_F(TankImportTest, PlatesAreFoundInSixSpellingsAmongAllVehicles)
{
    u.fahrzeug("ABCD12", 1);
    u.fahrzeug("XYZ99", 1);
    u.fahrzeug("HÖ-XY7", 1);
    TankImport t(imp, u.dm());
    EXPECT_EQ(t.KennzeichenSuchen("AB CD 12"), "ABCD12");   // blanks removed, before the sixth spelling
    EXPECT_EQ(t.KennzeichenSuchen("AB-CD 12"), "AB-CD12");  // blanks removed
    EXPECT_EQ(t.KennzeichenSuchen("XY-Z 99"), "XYZ99");     // "-" and blanks removed
    EXPECT_EQ(t.KennzeichenSuchen("HÖ XY 7"), "HÖ-XY7");    // first blank a "-", the others gone
    EXPECT_EQ(t.KennzeichenSuchen("B KL 456"), "B-KL 456"); // first blank a "-"
    EXPECT_EQ(t.KennzeichenSuchen("ab-cd12"), "");
    EXPECT_EQ(t.KennzeichenSuchen("B-KL456"), "");
    // The main window's vehicle filter hides them; the import still finds them.
    u.dm().TTblMain.SetFilter("KfzNr = 'ABCD12'");
    u.dm().TTblMain.SetFiltered(true);
    EXPECT_EQ(t.KennzeichenSuchen("HÖ XY 7"), "HÖ-XY7");
    EXPECT_EQ(t.KennzeichenSuchen("AB-CD 12"), "AB-CD12");
}

TEST_F(TankImportTest, SixSpellingsOfOnePlate)
{
    const auto v = fleet::tank::KennzeichenVarianten("AB CD 12");
    EXPECT_EQ(v[0], "AB CD 12");
    EXPECT_EQ(v[1], "ABCD12");
    EXPECT_EQ(v[2], "AB CD 12");
    EXPECT_EQ(v[3], "ABCD12");
    EXPECT_EQ(v[4], "AB-CD 12");
    EXPECT_EQ(v[5], "AB-CD12");
    const auto mitStrich = fleet::tank::KennzeichenVarianten("AB-CD 12");
    EXPECT_TRUE(mitStrich[4].isEmpty());
    EXPECT_TRUE(mitStrich[5].isEmpty());
}

TEST_F(TankImportTest, FixedFileEndToEnd)
{
    tankfixSchreiben();
    ui::testing::ScriptedMessages m(failGTest);
    TankImport t(imp, u.dm());
    QString typAnzeige = "Keiner";
    t.TypAnzeigen = [&](const QString &typ) { typAnzeige = typ; };
    importieren(m, t, pfad("TANKFIX.txt"),
                "6 Datensätze wurden importiert\r"
                "Rot - Bei 1 Datensätzen konnten die Kennzeichen nicht zugeordnet werden\r"
                "Grau - Bei 1 Datensätzen konnten die Warengruppen nicht zugeordnet werden\r"
                "Gelb - Bei 2 Datensätzen traten Fehler in den Datums-, Mengen- und Betragsfeldern auf\r"
                "Türkis - Bei 0 Datensätzen - Indexfehler, ein Kostensatz mit dieser Kombination "
                "Rechnungsdatum + Belegnummer ist bei dem Fahrzeug schon gebucht");
    EXPECT_EQ(typAnzeige, "TANKFIX");
    EXPECT_EQ(gespeicherterTyp(), "TANKFIX");
    const std::map<QString, QString> erwartet = {{"4711/010", ""},  {"4711/030", ""},  {"4720/011", "Y"},
                                                 {"4721/010", "R"}, {"4722/099", "G"}, {"4723/050", "Y"}};
    EXPECT_EQ(flaggen(), erwartet);
    dbe::TTable &s = imp.TTblImport;
    ASSERT_TRUE(s.Locate("Belegnummer", "4720", 0));
    EXPECT_EQ(s.FieldByName("Kennzeichen")->AsString(), "MÜ-AB 77"); // code page 850
    ASSERT_TRUE(s.Locate("Belegnummer", "4723", 0));
    EXPECT_EQ(s.FieldByName("Rechnungsdatum")->AsDateTime(), MarkerDatum());
    ASSERT_TRUE(s.Locate("Belegnummer", "4711", 0));
    EXPECT_DOUBLE_EQ(s.FieldByName("Menge")->AsFloat(), 45.23);
    EXPECT_EQ(s.FieldByName("KmStand")->AsInteger(), 52310);

    m.expectInformation(fleet::tank::PruefMeldung({1, 1, 0, 2}));
    m.expectQuestion("Möchten Sie die Tankdaten jetzt buchen", true);
    m.expectInformation("2 Datensätze wurden gebucht");
    t.Buchen();
    const auto belege = kostenVon("AB-CD12", "Benzin/Preis");
    EXPECT_DOUBLE_EQ(belege.at("4711"), 52.20);
    EXPECT_DOUBLE_EQ(kostenVon("AB-CD12", "WartungKosten").at("4711/A"), 11.99);
    EXPECT_DOUBLE_EQ(kostenVon("AB-CD12", "Benzin/Liter").at("4711"), 45.23);
    EXPECT_DOUBLE_EQ(kmStand("AB-CD12"), 52310);
    EXPECT_DOUBLE_EQ(kmStand("B-KL 456"), 98000);
    EXPECT_FALSE(fleet::ImportBuchungslauf);
    EXPECT_FALSE(fleet::ImportSatzBuchen);

    // Again: nothing is posted twice, the posted lines stay lime.
    m.expectInformation(fleet::tank::PruefMeldung({1, 1, 0, 2}));
    m.expectQuestion("Möchten Sie die Tankdaten jetzt buchen", true);
    m.expectInformation("0 Datensätze wurden gebucht");
    t.Buchen();
    EXPECT_EQ(flaggen().at("4711/010"), "L");
    EXPECT_EQ(flaggen().at("4711/030"), "L");
    EXPECT_EQ(kostenVon("AB-CD12", "Benzin/Preis").size(), 3u);
    EXPECT_TRUE(m.verifyDone());
}

TEST_F(TankImportTest, DelimitedFileEndToEnd)
{
    tankcsvSchreiben();
    ui::testing::ScriptedMessages m(failGTest);
    TankImport t(imp, u.dm());
    importieren(m, t, pfad("TANKCSV.txt"), fleet::tank::ImportMeldung(7, {0, 0, 1, 2}, 0));
    const std::map<QString, QString> erwartet = {{"4801/201", ""},  {"4802/400", ""},  {"4803/500", ""},
                                                 {"4804/200", "Y"}, {"4805/600", "T"}, {"4806/700", ""},
                                                 {"4807/200", "Y"}};
    EXPECT_EQ(flaggen(), erwartet);
    dbe::TTable &s = imp.TTblImport;
    ASSERT_TRUE(s.Locate("Belegnummer", "4806", 0));
    EXPECT_EQ(s.FieldByName("KmStand")->AsInteger(), 0);
    EXPECT_DOUBLE_EQ(s.FieldByName("Netto")->AsFloat(), 12.34);

    m.expectInformation(fleet::tank::PruefMeldung({0, 0, 1, 2}));
    m.expectQuestion("Möchten Sie die Tankdaten jetzt buchen", true);
    m.expectInformation("4 Datensätze wurden gebucht");
    t.Buchen();
    EXPECT_DOUBLE_EQ(kostenVon("B-KL 456", "Benzin/Preis").at("4801"), 54.11);
    EXPECT_DOUBLE_EQ(kostenVon("B-KL 456", "Benzin/Liter").at("4801"), 60.10);
    EXPECT_DOUBLE_EQ(kostenVon("MÜ-AB 77", "PflegeKosten").at("4802"), 8.62);
    EXPECT_DOUBLE_EQ(kostenVon("B-KL 456", "ReparaturKosten").at("4803"), -5.00);
    EXPECT_DOUBLE_EQ(kostenVon("AB-CD12", "SonstigeKosten").at("4806"), 12.34);
    EXPECT_DOUBLE_EQ(kmStand("B-KL 456"), 98600);
    EXPECT_DOUBLE_EQ(kmStand("MÜ-AB 77"), 18700);
    EXPECT_DOUBLE_EQ(kmStand("AB-CD12"), 52000);

    PruefZaehler z;
    t.ImportPruefen(z);
    EXPECT_EQ(z.Tuerkis, 1);
    const auto danach = flaggen();
    for (const char *gebucht : {"4801/201", "4802/400", "4803/500", "4806/700"})
        EXPECT_EQ(danach.at(gebucht), "L") << gebucht;
    EXPECT_EQ(danach.at("4805/600"), "T");
    EXPECT_TRUE(m.verifyDone());
}

TEST_F(TankImportTest, StopPaths)
{
    tankfixSchreiben();
    konfig("TANK0105", "20", "TTMMYY", false, {{"010", 1}});
    konfig("TANKLEER", "", "TTMMYY", false, {{"010", 1}});
    for (const char *datei : {"tank0105.txt", "unbekannt.txt", "tankleer.txt"})
        testsupport::writeFile(ablage / datei, "20\r\n");
    ui::testing::ScriptedMessages m(failGTest);
    TankImport t(imp, u.dm());
    QString typAnzeige = "Keiner";
    t.TypAnzeigen = [&](const QString &typ) { typAnzeige = typ; };
    importieren(m, t, pfad("TANKFIX.txt"), fleet::tank::ImportMeldung(6, {1, 1, 0, 2}, 0));

    const QString verzeichnis =
        QDir::toNativeSeparators(QString::fromStdString(ablage.str())) + QDir::separator();
    importieren(
        m, t, pfad("tank0105.txt"),
        "Die füe den Import der Tankdatei tank0105.txt notwendige Schema-Datei tank0105.SCH ist nicht "
        "im Import-Verzeichnis: " +
            verzeichnis +
            "\r\rTIP: Vor einem erneuten Versuch kopieren Sie die notwendige Schema-Datei aus dem MORVIK "
            "Lager Datenbankverzeichnis \"Datenbk\" in das oben genannte Import-Verzeichnis",
        ui::MsgType::Error);
    EXPECT_TRUE(imp.TTblImport.IsEmpty());
    EXPECT_EQ(typAnzeige, "");
    EXPECT_EQ(gespeicherterTyp(), "TANKFIX");

    for (const char *basis : {"unbekannt", "tankleer"}) {
        importieren(
            m, t, pfad(std::string(basis) + ".txt"),
            QStringLiteral("Die Steuerdaten für den Tankdatei-Typ %1 konnten nicht gelesen werden - der "
                           "Tankdaten-Import wird abgebrochen")
                .arg(basis),
            ui::MsgType::Error);
    }

    tankcsvSchreiben("Nummernschild");
    importieren(m, t, pfad("TANKCSV.txt"),
                "Das Feld \"Kennzeichen\" fehlt in der Schema-Datei TANKCSV.SCH - der Tankdaten-Import wird "
                "abgebrochen",
                ui::MsgType::Error);
    EXPECT_TRUE(imp.TTblImport.IsEmpty());

    // A cancelled file dialog ends silently, the staging table already emptied.
    m.expectQuestion("Möchten Sie die Tankdaten jetzt importieren", true);
    t.Importieren([] { return std::optional<QString>(); });
    m.expectQuestion("Möchten Sie die Tankdaten jetzt importieren", false);
    t.Importieren([] { return std::optional<QString>(QString("nie")); });
    m.expectInformation("Es befinden sich keine Tankdaten in der Tabelle..");
    t.Buchen();
    EXPECT_TRUE(m.verifyDone());
}

TEST_F(TankImportTest, ALockHeldElsewherePostsNothing)
{
    tankfixSchreiben();
    ui::testing::ScriptedMessages m(failGTest);
    TankImport t(imp, u.dm());
    importieren(m, t, pfad("TANKFIX.txt"), fleet::tank::ImportMeldung(6, {1, 1, 0, 2}, 0));
    for (const char *tabelle : {"KfzStamm.db", "KfzVar.db"}) {
        {
            kerntest::ZweiterArbeitsplatz anderer("sperren", fleet::kAliasFuhrpark, tabelle);
            ASSERT_TRUE(anderer.bereit());
            m.expectInformation(fleet::tank::PruefMeldung({1, 1, 0, 2}));
            m.expectQuestion("Möchten Sie die Tankdaten jetzt buchen", true);
            m.expectInformation("Dateien konnten nicht gesperrt werden - vermutlich werden Sie von anderen "
                                "Anwendern benutzt. Versuchen sie es noch einmal..");
            t.Buchen();
        }
        EXPECT_EQ(kostenVon("AB-CD12", "Benzin/Preis").size(), 1u) << tabelle;
        for (const char *frei : {"KfzStamm.db", "KfzVar.db"})
            EXPECT_EQ(
                kerntest::ZweiterArbeitsplatz::einmal("sperrversuch", fleet::kAliasFuhrpark, frei).trimmed(),
                "ja")
                << frei;
    }
    EXPECT_TRUE(m.verifyDone());
}

TEST_F(TankImportTest, ALineThatCannotTakeALetterIsCountedAndClearsTheFlag)
{
    for (char c = 'A'; c <= 'J'; ++c)
        kosten("AB-CD12", encodeDate(2005, 1, 3), QStringLiteral("4711/%1").arg(QChar(c)));
    tankfixSchreiben();
    ui::testing::ScriptedMessages m(failGTest);
    TankImport t(imp, u.dm());
    importieren(m, t, pfad("TANKFIX.txt"), fleet::tank::ImportMeldung(6, {1, 1, 0, 2}, 0));
    m.expectInformation(fleet::tank::PruefMeldung({1, 1, 0, 2}));
    m.expectQuestion("Möchten Sie die Tankdaten jetzt buchen", true);
    m.expectInformation("1 Datensätze wurden gebucht\rBei 1 Datensätzen ist das Buchen fehlgeschlagen");
    t.Buchen();
    EXPECT_FALSE(fleet::ImportSatzBuchen);
    EXPECT_EQ(flaggen().at("4711/030"), "");
    EXPECT_TRUE(m.verifyDone());
}

TEST_F(TankImportTest, PostingInANewRunUsesTheStoredType)
{
    tankfixSchreiben();
    ui::testing::ScriptedMessages m(failGTest);
    {
        TankImport erster(imp, u.dm());
        importieren(m, erster, pfad("TANKFIX.txt"), fleet::tank::ImportMeldung(6, {1, 1, 0, 2}, 0));
    }
    imp.TTblImport.Close();
    TankImport neu(imp, u.dm());
    QString typAnzeige = "Keiner";
    neu.TypAnzeigen = [&](const QString &typ) { typAnzeige = typ; };
    neu.Aktivieren();
    EXPECT_EQ(typAnzeige, "TANKFIX");
    m.expectInformation(fleet::tank::PruefMeldung({1, 1, 0, 2}));
    m.expectQuestion("Möchten Sie die Tankdaten jetzt buchen", true);
    m.expectInformation("2 Datensätze wurden gebucht");
    neu.Buchen();
    EXPECT_TRUE(m.verifyDone());
}

// Files of any bytes: the run ends with a message, never with a crash.
class JaZuAllem : public ui::Messages {
public:
    JaZuAllem() : vorher_(ui::Seam<ui::Messages>::replace(this)) {}
    ~JaZuAllem() override { ui::Seam<ui::Messages>::replace(vorher_); }
    ui::Answer show(ui::MsgType, const QString &text, ui::MsgButtons) override
    {
        texte << text;
        return ui::Answer::Yes;
    }
    QStringList texte;

private:
    ui::Messages *vorher_;
};

TEST_F(TankImportTest, AnyBytesEndInAMessage)
{
    tankfixSchreiben();
    tankcsvSchreiben();
    std::mt19937 zufall(4711);
    for (int runde = 0; runde < 40; ++runde) {
        std::string bytes(static_cast<std::size_t>(zufall() % 2000), '\0');
        for (char &b : bytes)
            b = static_cast<char>(zufall() % 4 == 0 ? "20D;\"\r\n "[zufall() % 8] : zufall() % 256);
        if (runde % 3 == 0)
            bytes = "20" + bytes;
        const char *datei = runde % 2 ? "TANKFIX.txt" : "TANKCSV.txt";
        testsupport::writeFile(ablage / datei, bytes);
        JaZuAllem m;
        TankImport t(imp, u.dm());
        EXPECT_NO_THROW(t.Importieren([&] { return std::optional<QString>(pfad(datei)); })) << runde;
        ASSERT_FALSE(m.texte.isEmpty());
        EXPECT_NO_THROW(t.Buchen()) << runde;
        EXPECT_FALSE(fleet::ImportBuchungslauf);
    }
}

} // namespace
