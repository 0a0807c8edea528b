// The meaning of the stored settings, the program colours and the rules of the
// settings form's commands, without windows.
#include <gtest/gtest.h>

#include <stdexcept>

#include <QMap>
#include <QObject>

#include "daten/Aliase.h"
#include "dbe/Errors.h"
#include "dbe/Table.h"
#include "kern_umgebung.h"
#include "regeln/EinstellungsBefehle.h"
#include "regeln/FeldBezeichnungen.h"
#include "regeln/ProgrammFarben.h"
#include "regeln/StartEinstellungen.h"

using namespace fleet;
using namespace fleet::starteinstellungen;

namespace {

using W = Wirkung;

// A settings record of named values; a field it does not have raises as the layer does.
Feldleser satz(const QMap<QString, QVariant> &werte)
{
    return [werte](const QString &feld) {
        if (!werte.contains(feld))
            throw dbe::EDatabaseError(QStringLiteral("Feld '%1' nicht gefunden").arg(feld));
        return werte.value(feld);
    };
}

QMap<QString, QVariant> alleFlaggen(bool wert)
{
    QMap<QString, QVariant> m;
    for (const char *f :
         {"StammdatenZeigen", "MemoZeigen", "TourenZeigen", "VarKostenZeigen", "MonatsauswertungZeigen",
          "MonatsuebersichtZeigen", "ReifenverwaltungZeigen", "HistorieZeigen", "DispositionZeigen",
          "TerminverwaltungZeigen", "Fahrer-StammdatenZeigen"})
        m.insert(QString::fromLatin1(f), wert);
    return m;
}

QStringList verborgen(const QList<Wirkung> &wirkungen)
{
    QStringList namen;
    for (const Wirkung &w : wirkungen)
        if (w.art == W::Verbergen)
            namen << w.komponente;
    return namen;
}

} // namespace

TEST(StartEinstellungen, GlobalsFollowTheStoredTextsExactly)
{
    struct Fall {
        QString text;
        bool nurLesen, touren;
        QChar pruefung, aktion;
    };
    // One stored text into each of the four text settings.
    const Fall faelle[] = {
        {"", false, true, 'D', 'W'},  {"S", false, true, 'D', 'W'},       {"l", false, true, 'D', 'W'},
        {"L", true, true, 'D', 'W'},  {"Kosten", false, false, 'D', 'W'}, {"kosten", false, true, 'D', 'W'},
        {"z", false, true, 'D', 'W'}, {"Z", false, true, 'Z', 'W'},       {"v", false, true, 'D', 'W'},
        {"V", false, true, 'D', 'V'}, {"Touren", false, true, 'D', 'W'},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.text.toStdString());
        EXPECT_EQ(NurLesenAus(f.text), f.nurLesen);
        EXPECT_EQ(TourenModusAus(f.text), f.touren);
        EXPECT_EQ(KollisionsPruefungAus(f.text), f.pruefung);
        EXPECT_EQ(KollisionsAktionAus(f.text), f.aktion);
    }
    EXPECT_EQ(Arbeitsplatz("", "unbekannt"), "unbekannt");
    EXPECT_EQ(Arbeitsplatz("Empfang", "unbekannt"), "Empfang");
    EXPECT_EQ(UebersichtSpaltenAus("Standard"), 0);
    EXPECT_EQ(UebersichtSpaltenAus("Einzelkosten"), 1);
    EXPECT_EQ(UebersichtSpaltenAus(""), 1);
    // Blank values: False and 0.
    EXPECT_FALSE(Logisch(QVariant()));
    EXPECT_TRUE(Logisch(true));
    EXPECT_EQ(Zahl(QVariant()), 0);
    EXPECT_EQ(Zahl(7), 7);
}

TEST(StartEinstellungen, FreeFieldsBeyondTheVisibleNumberAreHidden)
{
    const QList<W> null = FreifeldWirkungen(0);
    EXPECT_EQ(verborgen(null).size(), 31);
    EXPECT_TRUE(verborgen(null).contains("Bevel8"));
    EXPECT_TRUE(verborgen(null).contains("EditFreifeld1"));
    EXPECT_TRUE(verborgen(null).contains("LblFreifeld1"));

    const QStringList sieben = verborgen(FreifeldWirkungen(7));
    EXPECT_EQ(sieben.size(), 16);
    EXPECT_EQ(sieben.first(), "EditFreifeld15");
    EXPECT_TRUE(sieben.contains("LblFreifeld8"));
    EXPECT_FALSE(sieben.contains("EditFreifeld7"));
    EXPECT_FALSE(sieben.contains("Bevel8"));

    EXPECT_TRUE(FreifeldWirkungen(15).isEmpty());
    EXPECT_TRUE(FreifeldWirkungen(20).isEmpty());
    // Free fields 16 to 20 follow only the leasing box.
    for (int n : {0, 7, 15})
        for (const QString &name : verborgen(FreifeldWirkungen(n)))
            EXPECT_FALSE(name.contains("16") || name.contains("20")) << name.toStdString();
}

TEST(StartEinstellungen, TheLeasingBoxUncheckedHidesItsControlsAndLocksTheFilters)
{
    EXPECT_TRUE(LeasingWirkungen(true).isEmpty());
    const QList<W> aus = LeasingWirkungen(false);
    EXPECT_EQ(verborgen(aus).size(), 22);
    for (const char *n : {"BevLeasing", "LblUeberschriftLeasing", "LblVorausEndKmStand",
                          "LblVorausLsEndKmStand", "EditFreifeld16", "LblFreifeld20"})
        EXPECT_TRUE(verborgen(aus).contains(n)) << n;
    for (const char *n : {"AlleLeasingfahrzeuge1", "KeineLeasingfahrzeuge1", "Leasinggesellschaft1"})
        EXPECT_TRUE(aus.contains(W{W::Sperren, n})) << n;
}

TEST(StartEinstellungen, KilometreModeSwitchesToursAndRevenue)
{
    const QList<W> kosten = KilometerModusWirkungen(false);
    EXPECT_EQ(kosten, (QList<W>{{W::Verbergen, "TabTouren"},
                                {W::Sperren, "Tourenauswertung2"},
                                {W::SerieAktivieren, "Series5"}}));
    const QList<W> touren = KilometerModusWirkungen(true);
    for (const char *n : {"TabTouren", "PanMonatsauswertungErtrag", "BevUeberschuss", "LblSummeErtragMonat",
                          "BtnInTourenKopieren"})
        EXPECT_TRUE(touren.contains(W{W::Zeigen, n})) << n;
    EXPECT_TRUE(touren.contains(W{W::SerieAktivieren, "Series14"}));
    EXPECT_TRUE(touren.contains(W{W::Freigeben, "Tourenauswertung2"}));
}

TEST(StartEinstellungen, OnlyAFalseWorkstationFlagActs)
{
    EXPECT_TRUE(ArbeitsplatzWirkungen(satz(alleFlaggen(true))).isEmpty());

    struct Fall {
        const char *flagge;
        QList<W> wirkungen;
    };
    const Fall faelle[] = {
        {"StammdatenZeigen", {{W::Sperren, "TabStammDaten"}, {W::NeueZeilenSperren, "TabStammDaten"}}},
        {"MemoZeigen", {{W::Verbergen, "TabMemo"}, {W::Verbergen, "TPanMemoLED"}}},
        {"HistorieZeigen",
         {{W::Verbergen, "TabHistorie"},
          {W::Verbergen, "BtnKosteninHistorie"},
          {W::Verbergen, "TabSchadensmanagement"}}},
        {"TerminverwaltungZeigen", {{W::Sperren, "&Terminverwaltung"}}},
        {"Fahrer-StammdatenZeigen", {{W::Sperren, "Fahrer1"}}},
        {"DispositionZeigen", {{W::Verbergen, "TabDispo"}}},
    };
    for (const Fall &f : faelle) {
        QMap<QString, QVariant> werte = alleFlaggen(true);
        werte[QString::fromLatin1(f.flagge)] = QVariant(); // blank reads False
        EXPECT_EQ(ArbeitsplatzWirkungen(satz(werte)), f.wirkungen) << f.flagge;
    }
    EXPECT_EQ(verborgen(ArbeitsplatzWirkungen(satz(alleFlaggen(false)))).size(), 11);

    // A missing flag is the layer's error.
    QMap<QString, QVariant> ohne = alleFlaggen(true);
    ohne.remove("ReifenverwaltungZeigen");
    EXPECT_THROW(ArbeitsplatzWirkungen(satz(ohne)), dbe::EDatabaseError);
}

TEST(StartEinstellungen, DisplayLabelsComeFromTheNamesAndTheAppointmentLabels)
{
    TFeldBezeichnungen namen;
    namen.setzen("NameFahrgestellnr", "VIN");
    namen.setzen("NameSonstige2Kosten", "Maut");
    namen.setzen("NameGruppe", "Abteilung");
    namen.setzen("NameKostenLeasing", "Rate");
    namen.setzen("NameMarke", "Modell");
    QMap<QString, QVariant> allgemein;
    for (int i = 1; i <= 20; ++i)
        allgemein.insert(i == 10 ? QString("NameFreifeld100") : QString("NameFreifeld%1").arg(i), QVariant());
    allgemein["NameFreifeld5"] = "Tankkarte";
    allgemein["NameFreifeld100"] = "Zehn";
    const auto beschriftung = [](const QString &label) {
        return label == "LblFreierTermin4" ? "Ölwechsel" : "x";
    };
    const QList<Anzeigename> l = FeldAnzeigenamen(namen, satz(allgemein), beschriftung);

    const auto hat = [&l](const char *tabelle, const char *feld, const QString &text) {
        return l.contains(Anzeigename{tabelle, feld, text});
    };
    EXPECT_TRUE(hat("KfzStamm.db", "Freifeld5", "VIN"));
    EXPECT_TRUE(hat("KfzStamm.db", "Freifeld51", "Tankkarte"));
    EXPECT_TRUE(hat("KfzStamm.db", "Freifeld10", "Zehn"));
    EXPECT_TRUE(hat("KfzStamm.db", "Freifeld3", "")); // set even when empty
    EXPECT_TRUE(hat("KfzStamm.db", "FreierTermin4", "Ölwechsel"));
    EXPECT_TRUE(hat("KfzStamm.db", "Vermoegenssteuer", "Rate"));
    EXPECT_TRUE(hat("KfzVergl.db", "Typ", "Modell"));
    for (const char *t : {"KfzVar.db", "KfzMonat.DB", "KfzFuKst.db"})
        EXPECT_TRUE(hat(t, "Sonstige2Kosten", "Maut")) << t;
    for (const char *t : {"KfzStamm.db", "KfzFuKst.db"})
        EXPECT_TRUE(hat(t, "Gruppe", "Abteilung")) << t;
    EXPECT_FALSE(
        std::any_of(l.begin(), l.end(), [](const Anzeigename &a) { return a.feld == "TUEVTermin"; }));
}

TEST(StartEinstellungen, RemarkCaptionsOnlyWhereTheUserGaveOne)
{
    QMap<QString, QVariant> allgemein;
    for (const char *g : {"VarKosten", "Touren", "Historie", "Dispo"})
        for (int i = 1; i <= 3; ++i)
            allgemein.insert(QString("Name%1Bemerkung%2").arg(g).arg(i), QString());
    for (int i = 16; i <= 18; ++i)
        allgemein.insert(QString("Textfeld%1").arg(i), QString());
    allgemein["NameTourenBemerkung1"] = "Kunde";
    allgemein["NameHistorieBemerkung3"] = "Werkstatt";
    allgemein["Textfeld17"] = "Gegner";
    EXPECT_EQ(BemerkungsAnzeigenamen(satz(allgemein)),
              (QList<Anzeigename>{{"KfzSchad.db", "Info2", "Gegner"},
                                  {"KfzTour.db", "Bemerkungen", "Kunde"},
                                  {"KfzHisto.db", "Reserve2", "Werkstatt"}}));
    EXPECT_EQ(NachschlagTitel("Abteilung"), "Nachschlagetabelle \"Abteilung\"");
}

// Names borne more than once, at the same depth and deeper on an earlier
// branch: each is answered as findChild answers it.
TEST(StartEinstellungen, TheNameDirectoryAnswersAsFindChild)
{
    QObject wurzel;
    const auto kind = [](QObject *eltern, const char *name) {
        auto *o = new QObject(eltern);
        o->setObjectName(QString::fromLatin1(name));
        return o;
    };
    QObject *a = kind(&wurzel, "A");
    kind(a, "Tief");         // deeper, on the first branch
    kind(kind(a, "B"), "C"); // two levels down
    QObject *b = kind(&wurzel, "B");
    kind(b, "C");
    kind(b, "Tief");
    kind(&wurzel, "Tief"); // a child of the root comes before every grandchild
    kind(&wurzel, "");
    kind(kind(&wurzel, "D"), "A");

    const QHash<QString, QObject *> erste = ErsteNachNamen(wurzel);
    QStringList namen;
    for (QObject *o : wurzel.findChildren<QObject *>())
        if (!o->objectName().isEmpty() && !namen.contains(o->objectName()))
            namen << o->objectName();
    EXPECT_EQ(erste.size(), namen.size());
    for (const QString &n : namen)
        EXPECT_EQ(erste.value(n), wurzel.findChild<QObject *>(n)) << n.toStdString();
    EXPECT_EQ(erste.value("Tief")->parent(), &wurzel);
    EXPECT_EQ(erste.value("C")->parent()->parent(), a);
    EXPECT_FALSE(erste.contains(""));
}

TEST(ProgrammFarben, DefaultsAndTheirPlatformValues)
{
    FarbenStandardSetzen();
    EXPECT_TRUE(FarbenSindStandard());
    EXPECT_EQ(static_cast<quint32>(ProgrammFarbe(Farbe::StammdatenMarkiert)), 0x00FFFF00u); // aqua
    EXPECT_EQ(static_cast<quint32>(ProgrammFarbe(Farbe::KopfzeilePanel)), 0x00C0C0C0u);     // silver
    EXPECT_EQ(static_cast<quint32>(ProgrammFarbe(Farbe::KopfzeileFeldHinterg)), 0x80000014u);
    EXPECT_EQ(ProgrammFarbe(Farbe::KopfzeileFeldHinterg), -2147483628);
    // Any one colour off the default is enough.
    for (int i = 0; i < kAnzahlFarben; ++i) {
        FarbenStandardSetzen();
        ProgrammFarben[i] = ui::color::Fuchsia;
        EXPECT_FALSE(FarbenSindStandard()) << i;
    }
    FarbenStandardSetzen();
}

TEST(ProgrammFarben, LoadingReadsStoredValuesAndStopsAtTheFirstFailure)
{
    QMap<QString, QVariant> gespeichert{
        {"FarbeKopfzeileFeldSchrift", 0x0000FF}, {"FarbeKopfzeileFeldHinterg", -2147483628},
        {"FarbeKopfzeilePanel", 0x00FF00},       {"FarbeStammdatenFormular", 0x808080},
        {"FarbeStammdatenFeld", 0xFFFFFF},       {"FarbeStammdatenSchrift", 0x800000},
        {"FarbeStammdatenMarkiert", 0x00FFFF}};
    FarbenStandardSetzen();
    FarbenLaden(satz(gespeichert));
    EXPECT_EQ(ProgrammFarbe(Farbe::KopfzeileFeldSchrift), ui::color::Red);
    EXPECT_EQ(ProgrammFarbe(Farbe::KopfzeileFeldHinterg), ui::color::BtnHighlight);
    EXPECT_EQ(ProgrammFarbe(Farbe::StammdatenFeld), ui::color::White);
    EXPECT_EQ(ProgrammFarbe(Farbe::StammdatenSchrift), ui::color::Navy);

    // The fourth field fails: the fourth to seventh keep what they had.
    const Farbsatz vorher = ProgrammFarben;
    QMap<QString, QVariant> kaputt = gespeichert;
    kaputt.remove("FarbeStammdatenFormular");
    kaputt["FarbeKopfzeileFeldSchrift"] = 0x000080;
    FarbenLaden(satz(kaputt));
    EXPECT_EQ(ProgrammFarbe(Farbe::KopfzeileFeldSchrift), ui::color::Maroon);
    for (Farbe f : {Farbe::StammdatenFormular, Farbe::StammdatenFeld, Farbe::StammdatenSchrift,
                    Farbe::StammdatenMarkiert})
        EXPECT_EQ(ProgrammFarbe(f), vorher[static_cast<int>(f)]);

    // Blank fields give their defaults, not black.
    QMap<QString, QVariant> leer;
    for (int i = 0; i < kAnzahlFarben; ++i)
        leer.insert(FarbFeld(static_cast<Farbe>(i)), QVariant());
    ProgrammFarben.fill(ui::color::Black);
    FarbenLaden(satz(leer));
    EXPECT_TRUE(FarbenSindStandard());
}

TEST(EinstellungsBefehle, PasswordsCompareLettersAToZWithoutCase)
{
    struct Fall {
        const char *eingabe, *gespeichert;
        bool gleich;
    };
    const Fall faelle[] = {{"geheim", "GEHEIM", true},   {"Ä", "ä", false},          {"", "", true},
                           {"geheim", "geheim1", false}, {"Straße", "STRAßE", true}, {"", "x", false}};
    for (const Fall &f : faelle)
        EXPECT_EQ(
            einstellungen::PasswortGleich(QString::fromUtf8(f.eingabe), QString::fromUtf8(f.gespeichert)),
            f.gleich)
            << f.eingabe << " / " << f.gespeichert;
}

TEST(EinstellungsBefehle, DesignerEntriesGiveTheirReportNumbers)
{
    const QStringList &e = einstellungen::DesignerEintraege();
    ASSERT_EQ(e.size(), 25);
    const QMap<QString, int> stichproben{{"Monatsübersicht-Stand.", 0},   {"Stammdaten", 4},
                                         {"Monatsübersicht-Kosten", 10},  {"Fahrer-Historie", 15},
                                         {"Monatsauswertungen-a.F.", 19}, {"Werkstatt-Termine", 24}};
    for (auto it = stichproben.begin(); it != stichproben.end(); ++it)
        EXPECT_EQ(einstellungen::DesignerNummer(it.key()), it.value()) << it.key().toStdString();
    for (int i = 0; i < e.size(); ++i)
        EXPECT_EQ(einstellungen::DesignerNummer(e[i]), i);
    EXPECT_FALSE(einstellungen::DesignerNummer("Unbekannt").has_value());
    EXPECT_FALSE(einstellungen::DesignerNummer("stammdaten").has_value());
}

TEST(EinstellungsBefehle, TheUsageScanComparesExactlyOverAllVehicles)
{
    kerntest::Umgebung u;
    for (const auto &[kfz, gruppe] : QList<std::pair<QString, QString>>{
             {"K-AB 1", "Vertrieb"}, {"K-AB 2", "Technik"}, {"K-AB 3", "Vertrieb"}})
        kerntest::zeileAnfuegen(u.session(), kAliasFuhrpark, "KfzStamm.db", {"KfzNr", "Gruppe"},
                                {kfz, gruppe});
    dbe::TTable t(&u.session());
    t.SetDatabaseName(kAliasFuhrpark);
    t.SetTableName("KfzStamm.db");
    t.Open();
    EXPECT_TRUE(einstellungen::NachschlagVerwendet(t, "Gruppe", "Technik"));
    EXPECT_TRUE(einstellungen::NachschlagVerwendet(t, "Gruppe", "Vertrieb"));
    EXPECT_FALSE(einstellungen::NachschlagVerwendet(t, "Gruppe", "technik"));
    EXPECT_FALSE(einstellungen::NachschlagVerwendet(t, "Gruppe", "Lager"));
    EXPECT_THROW(einstellungen::NachschlagVerwendet(t, "Abteilung", "Lager"), dbe::EDatabaseError);
}
