// The letter editor's rules without a window: ruler, caption, status line,
// find step, font size, save question, field lists and the placeholder scan.
#include <map>

#include <QGuiApplication>
#include <QTextDocument>

#include <gtest/gtest.h>

#include "logik/BriefEditorRegeln.h"
#include "logik/BriefFelder.h"
#include "logik/BriefLineal.h"
#include "logik/BriefPlatzhalter.h"

using namespace fleet::brief;

namespace {

class GuiUmgebung : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "brief_logik_test";
        static char *argv[] = {name, nullptr};
        if (!QGuiApplication::instance())
            app_ = new QGuiApplication(argc, argv);
    }
    void TearDown() override { delete app_; }

private:
    QGuiApplication *app_ = nullptr;
};
::testing::Environment *const guiUmgebung = ::testing::AddGlobalTestEnvironment(new GuiUmgebung);

} // namespace

TEST(BriefLineal, MarkenUndEinzuegeNachDenFormeln)
{
    struct Platzierung {
        ui::ParagraphIndents einzuege;
        int breite;
        MarkenPositionen marken;
    };
    const Platzierung platzierungen[] = {
        {{0, 0, 0}, 600, {2, 2, 600 - 8 - 6}},
        {{18, 18, 72}, 600, {26, 50, 600 - 104 - 6}},
        {{10, 5, 1}, 400, {15, 22, 400 - 9 - 6}}, // trunc(13.33)=13, trunc(20)=20, trunc(9.33)=9
        {{0, -12, 0}, 300, {2, -14, 300 - 8 - 6}},
    };
    for (const Platzierung &p : platzierungen)
        EXPECT_EQ(MarkenPlatzieren(p.einzuege, p.breite), p.marken);

    struct Loslassen {
        int links, dragOffset, breite;
        int erster, linkerBeiErstem18, rechter;
    };
    const Loslassen loslassen[] = {
        // (left + off - 6) * 3/4 truncated; right: (width - left + off - 2) * 3/4 - 12
        {2, 4, 600, 0, -18, 438},   {26, 4, 600, 18, 0, 420},  {50, 4, 600, 36, 18, 402},
        {586, 4, 600, 438, 420, 0}, {0, 4, 600, -1, -19, 439}, // -2 x 3/4 truncates towards zero
    };
    for (const Loslassen &l : loslassen) {
        SCOPED_TRACE(l.links);
        EXPECT_EQ(ErsterEinzugAusMarke(l.links, l.dragOffset), l.erster);
        EXPECT_EQ(LinkerEinzugAusMarke(l.links, l.dragOffset, 18), l.linkerBeiErstem18);
        EXPECT_EQ(RechterEinzugAusMarke(l.links, l.dragOffset, l.breite), l.rechter);
    }
    // A marker put where the placement puts it gives its indent back.
    const MarkenPositionen ruhe = MarkenPlatzieren({24, 12, 36}, 600);
    EXPECT_EQ(ErsterEinzugAusMarke(ruhe.ersterEinzug, 4), 24);
    EXPECT_EQ(LinkerEinzugAusMarke(ruhe.linkerEinzug, 4, 24), 12);
    EXPECT_EQ(RechterEinzugAusMarke(ruhe.rechterEinzug, 4, 600), 36);
}

TEST(BriefEditorRegeln, TitelStatusSchriftgroesseUndSpeicherfrage)
{
    EXPECT_EQ(Titel(QStringLiteral("Neu")), QStringLiteral("KARVEN Text - Neu"));
    EXPECT_EQ(Titel(QStringLiteral("/home/fp/Briefe/Mahnung Müller.rtf")),
              QStringLiteral("KARVEN Text - Mahnung Müller.rtf"));

    QTextDocument dokument;
    dokument.setPlainText(QStringLiteral("Erste Zeile\nZweite\n\nVierte Zeile"));
    EXPECT_EQ(StatusZeile(dokument, 0), QStringLiteral("Zeile:   1   Spalte:   1"));
    EXPECT_EQ(StatusZeile(dokument, 15), QStringLiteral("Zeile:   2   Spalte:   4"));
    EXPECT_EQ(StatusZeile(dokument, 19), QStringLiteral("Zeile:   3   Spalte:   1"));
    EXPECT_EQ(StatusZeile(dokument, 26), QStringLiteral("Zeile:   4   Spalte:   7"));

    for (const char *falsch : {"", " ", "12a", "-3", "0", "1,5", "99999"})
        EXPECT_FALSE(Schriftgroesse(QString::fromLatin1(falsch)).has_value()) << falsch;
    EXPECT_EQ(Schriftgroesse(QStringLiteral("1")), 1);
    EXPECT_EQ(Schriftgroesse(QStringLiteral(" 14 ")), 14);

    EXPECT_TRUE(NachSpeicherfrageWeiter(ui::Answer::Yes, true));
    EXPECT_FALSE(NachSpeicherfrageWeiter(ui::Answer::Yes, false)); // "Speichern unter" cancelled
    EXPECT_TRUE(NachSpeicherfrageWeiter(ui::Answer::No, false));
    EXPECT_FALSE(NachSpeicherfrageWeiter(ui::Answer::Cancel, false));
}

TEST(BriefEditorRegeln, SuchschrittVomAnfangGrossKleinGenauUndWeiter)
{
    const QString text = QStringLiteral("Termin TÜV: termin am Termin. Termin");
    // Nothing selected: from the start, wherever the caret is.
    EXPECT_EQ(Suchschritt(text, QStringLiteral("Termin"), 20, 0), 0);
    // Walking the matches: behind each selection.
    EXPECT_EQ(Suchschritt(text, QStringLiteral("Termin"), 0, 6), 22);
    EXPECT_EQ(Suchschritt(text, QStringLiteral("Termin"), 22, 6), 30);
    EXPECT_EQ(Suchschritt(text, QStringLiteral("Termin"), 30, 6), std::nullopt);
    // Case-sensitive, any part of a word.
    EXPECT_EQ(Suchschritt(text, QStringLiteral("termin"), 0, 0), 12);
    EXPECT_EQ(Suchschritt(text, QStringLiteral("ermi"), 0, 0), 1);
    EXPECT_EQ(Suchschritt(text, QStringLiteral("tüv"), 0, 0), std::nullopt);
    EXPECT_EQ(Suchschritt(text, QString(), 0, 0), std::nullopt);
}

TEST(BriefFelder, FeldlistenUndWertpunkte)
{
    const QStringList fahrzeug = FahrzeugFelder();
    const QStringList fahrer = FahrerFelder();
    ASSERT_EQ(fahrzeug.size(), 58);
    ASSERT_EQ(fahrer.size(), 97);
    EXPECT_EQ(fahrzeug.first(), "KfzNr");
    EXPECT_EQ(fahrzeug.at(14), "KfzKW/PS");
    EXPECT_EQ(fahrzeug.at(38), "Zinsen");
    EXPECT_EQ(fahrzeug.at(52), "Memo");
    EXPECT_EQ(fahrzeug.last(), "FreierTermin8");
    EXPECT_EQ(fahrer.at(11), "FscheinKlassenAllgemein");
    EXPECT_EQ(fahrer.at(45), "FscheinVorlage");
    EXPECT_EQ(fahrer.at(46), "Freifeld1");
    EXPECT_EQ(fahrer.last(), "Memo");
    EXPECT_EQ(QStringList(fahrzeug).removeDuplicates(), 0);

    const auto &punkte = Wertpunkte();
    ASSERT_EQ(punkte.size(), 50);
    int fahrzeugPunkte = 0;
    for (int i = 0; i < punkte.size(); ++i) {
        const Wertpunkt &p = punkte[i];
        const bool istFahrer = p.tabelle == Tabelle::Fahrer;
        fahrzeugPunkte += istFahrer ? 0 : 1;
        // Every field a value item inserts is a declared field of its table (names match without case).
        const QStringList &liste = istFahrer ? fahrer : fahrzeug;
        EXPECT_TRUE(liste.contains(p.feld, Qt::CaseInsensitive)) << p.name;
        EXPECT_EQ(istFahrer, i >= 26) << p.name;
    }
    EXPECT_EQ(fahrzeugPunkte, 26);
    EXPECT_STREQ(punkte[18].name, "FahrgestellNr1");
    EXPECT_EQ(punkte[18].feld, "Freifeld5");
    EXPECT_EQ(punkte[21].beschriftung, "Kauf/Leas.Dat.");
    EXPECT_EQ(punkte[21].feld, "FreifeldDatum1");
    EXPECT_EQ(punkte[49].beschriftung, "Freifeld8");
    EXPECT_EQ(punkte[49].feld, "Freifeld18");
    EXPECT_EQ(punkte[39].beschriftung, "FscheinBehörde");
}

namespace {

// A letter as a plain string.
class TextAttrappe : public BriefText {
public:
    explicit TextAttrappe(const QString &text) : text(text) {}
    int Laenge() const override { return int(text.size()); }
    int Suchen(QChar zeichen, int ab) const override { return int(text.indexOf(zeichen, ab)); }
    void Markieren(int s, int l) override
    {
        start = s;
        laenge = l;
    }
    QString Markierung() const override { return text.mid(start, laenge); }
    void MarkierungErsetzen(const QString &wert) override
    {
        text.replace(start, laenge, wert);
        laenge = 0;
        if (++ersetzungen > 1000)
            throw std::runtime_error("endless replacement");
    }
    QString text;
    int start = 0, laenge = 0, ersetzungen = 0;
};

class WerteAttrappe : public Feldwerte {
public:
    std::map<QString, QString> fahrer, fahrzeug; // keys in lower case
    std::optional<QString> Fahrer(const QString &feld) const override { return wert(fahrer, feld); }
    std::optional<QString> Fahrzeug(const QString &feld) const override { return wert(fahrzeug, feld); }

private:
    static std::optional<QString> wert(const std::map<QString, QString> &werte, const QString &feld)
    {
        const auto it = werte.find(feld.toLower());
        if (it == werte.end())
            return std::nullopt;
        return it->second;
    }
};

} // namespace

TEST(BriefPlatzhalter, ErsetzenNachDerTabelle)
{
    using Ende = ErsetzenErgebnis::Ende;
    struct Fall {
        QString brief;
        QString fahrerName;
        QString ergebnis;
        Ende ende;
        int ersetzt, fehlerhaft;
    };
    const Fall faelle[] = {
        {"Sehr geehrter Herr <Fahrer/Vorname> <Fahrer/Name>, Ihr <Fahrzeug/KfzNr> ist fällig.", "Meier",
         "Sehr geehrter Herr Max Meier, Ihr AB-CD12 ist fällig.", Ende::Fertig, 3, 0},
        {"<fahrer/Name> <Fahrer/name>", "Meier", "<fahrer/Name> Meier", Ende::Fertig, 1, 1},
        {"<Fahrzeug/KfzFarbe> x", "Meier", "<Fahrzeug/KfzFarbe> x", Ende::Fertig, 0, 1},
        {"a < b", "Meier", "a < b", Ende::OhneAbschluss, 0, 0},
        {"x <Fahrzeug/Gibtsnicht>", "Meier", "x <Fahrzeug/Gibtsnicht>", Ende::FehlerAmEnde, 0, 1},
        {"<Fahrer/Name>", "<Fahrer/Name>", "<Fahrer/Name>", Ende::Fertig, 1, 0},
        {"<Fahrer/Name> y", "A <B> C", "A <B> C y", Ende::Fertig, 1, 0},
        {"Gruß <Fahrer/Name>", "Meier", "Gruß Meier", Ende::Fertig, 1, 0},
        {"<Fahrer/Name><Fahrer/Name>", "<", "<<", Ende::Fertig, 2, 0},
        {"", "Meier", "", Ende::LeererText, 0, 0},
        {"a > b <Fahrer Name> c", "Meier", "a > b <Fahrer Name> c", Ende::Fertig, 0, 1},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.brief.toStdString());
        TextAttrappe text(f.brief);
        WerteAttrappe werte;
        werte.fahrer = {{"vorname", "Max"}, {"name", f.fahrerName}};
        werte.fahrzeug = {{"kfznr", "AB-CD12"}};
        const ErsetzenErgebnis e = PlatzhalterErsetzen(text, werte);
        EXPECT_EQ(text.text, f.ergebnis);
        EXPECT_EQ(e.ende, f.ende);
        EXPECT_EQ(e.ersetzt, f.ersetzt);
        EXPECT_EQ(e.fehlerhaft, f.fehlerhaft);
    }
    EXPECT_EQ(
        Zaehlmeldung({Ende::Fertig, 2, 0}),
        QStringLiteral(
            "2 Variable wurden erfolgreich ersetzt\r0 fehlerhafte Variable konnten nicht ersetzt werden"));
}
