#include "regeln/FeldBezeichnungen.h"

namespace fleet {

TFeldBezeichnungen FeldBezeichnungen;

namespace {

struct Name {
    const char *feld;
    const char *vorgabe;
    int laenge; // characters used; 0 the whole text
};

const Name kSonstige[] = {{"NameSonstigeKosten", "Sonstige", 0},
                          {"NameSonstige2Kosten", "Sonstige2", 0},
                          {"NameSonstige3Kosten", "Sonstige3", 0},
                          {"NameSonstige4Kosten", "Sonstige4", 0}};

// The fixed costs with their labels on the master page and the monthly evaluation.
const struct {
    Name name;
    const char *label;
    const char *labelMonat;
} kFixkosten[] = {
    {{"NameKostenKasko", "Kasko", 12}, "LblKasko", "LblMUKasko"},
    {{"NameKostenHaftpflicht", "Haftplicht", 12}, "LblHaftpflicht", "LblMUHaftpflicht"},
    {{"NameKostenSteuer", "Steuer", 12}, "LblSteuer", "LblMUSteuer"},
    {{"NameKostenSonstige", "Sonstige", 12}, "LblSonstige", "LblMUSonstige"},
    {{"NameKostenAFA", "AFA", 12}, "LblAFA", "LblMUAFA"},
    {{"NameKostenZinsen", "Zinsen", 12}, "LblZinsen", "LblMUZinsen"},
    {{"NameKostenLeasing", "Leasing", 12}, "LblLeasing", "LblMULeasing"},
    {{"NameKostenGewKapSt", "Gew.Kap.St.", 12}, "LblGewKapSt", "LblMUGewKapSt"},
};

// Vehicle fields with the label they name.
const struct {
    Name name;
    const char *label;
} kFahrzeugFelder[] = {
    {{"NamePKWNummer", "PkwNummer", 20}, "LblPkwNummer"},
    {{"NameFahrer", "FahrerName", 20}, "LblFahrerName"},
    {{"NameFahrerNr", "FahrerNr.", 20}, "LblFahrerNr"},
    {{"NameFahrerKz", "FahrerKz.", 20}, "LblFahrerKz"},
    {{"NameBesitzerKz", "BesitzerKz.", 20}, "LblBesitzerKz"},
    {{"NameMarke", "Marke", 20}, "LblMarke"},
    {{"NameHerstellerKz", "HerstellerKz", 20}, "LblHerstellerKz"},
    {{"NameBaujahr", "Baujahr", 20}, "LblBaujahr"},
    {{"NameHubraum", "Hubraum", 20}, "LblHubraum"},
    {{"NameKWPS", "KW/PS", 20}, "LblKWPS"},
    {{"NameAufbau", "Aufbau", 20}, "LblAufbau"},
    {{"NameZulassung", "Zulassung", 20}, "LblZulassung"},
    {{"NameVersPolNr", "VersPolNr.", 20}, "LblVersPolNr"},
    {{"NameFahrgestellnr", "Fahrgestellnummer", 20}, "LblFahrgestellnummer"},
    {{"NameAnschaffwert", "Anschaff.wert", 20}, "LblAnschaffungswert"},
    {{"NameZinssatz", "Zinssatz", 20}, "LblZinssatz"},
    {{"NameKaufLeasingdatum", "Kaufdatum", 20}, "LblKaufdatum"},
    {{"NameFarbe", "Farbe", 20}, "LblFarbe"},
};

const Name kGruppe{"NameGruppe", "Gruppe", 20};
const Name kKostenstelle{"NameKostenstelle", "Kostenstelle/Standort", 20};
const Name kSchadstoff{"NameSchadstoff", "Schadstoff", 20};

// Appointment names: shown only when set, else the label keeps its design.
const struct {
    const char *feld;
    const char *label;
} kTermine[] = {
    {"NameInspTermin", "LblInspektionTermin"},     {"NameKlInspTermin", "LblKlInspektionTermin"},
    {"NameGrInspTermin", "LblGrInspektionTermin"}, {"NameVignette1Termin", "LblVignette1Termin"},
    {"NameVignette2Termin", "LblVignette2Termin"},
};

QString freifeldName(int i)
{
    // Free field 10 is stored under "NameFreifeld100".
    return i == 10 ? QStringLiteral("NameFreifeld100") : QStringLiteral("NameFreifeld%1").arg(i);
}

QString lies(const std::function<QString(const QString &)> &wert, const Name &n)
{
    QString text = wert(QString::fromLatin1(n.feld));
    if (text.isEmpty())
        text = QString::fromUtf8(n.vorgabe);
    return n.laenge > 0 ? text.left(n.laenge) : text;
}

} // namespace

TFeldBezeichnungen FeldBezeichnungenLesen(const std::function<QString(const QString &)> &wert)
{
    TFeldBezeichnungen b;
    const auto nimm = [&](const Name &n) { b.setzen(QString::fromLatin1(n.feld), lies(wert, n)); };
    for (const Name &n : kSonstige)
        nimm(n);
    for (const auto &k : kFixkosten)
        nimm(k.name);
    b.setzen(QStringLiteral("NameKfzNr"), QStringLiteral("Kfz.-Nr./Kennzeichen"));
    b.setzen(QStringLiteral("NameInfo"), QStringLiteral("Info"));
    b.setzen(QStringLiteral("NameKmStand"), QStringLiteral("Km.Stand"));
    nimm(kGruppe);
    nimm(kKostenstelle);
    for (const auto &f : kFahrzeugFelder)
        nimm(f.name);
    nimm(kSchadstoff);
    for (const auto &t : kTermine)
        b.setzen(QString::fromLatin1(t.feld), wert(QString::fromLatin1(t.feld)));
    for (int i = 1; i <= 14; ++i) {
        const QString feld = QStringLiteral("NameFreitermin%1").arg(i);
        b.setzen(feld, wert(feld));
    }
    for (int i = 1; i <= 20; ++i)
        b.setzen(freifeldName(i), wert(freifeldName(i)));
    return b;
}

QString KopfzeilenText(const QString &name)
{
    return name.size() < 20 ? name + QLatin1Char(':') : name.left(18) + QStringLiteral(".:");
}

QList<Beschriftung> Beschriftungen(const TFeldBezeichnungen &namen)
{
    QList<Beschriftung> l;
    const auto setze = [&l](const QString &komponente, const QString &text) { l.append({komponente, text}); };
    const QString sonstige[] = {QString(), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    for (int i = 0; i < 4; ++i) {
        const QString name = namen[QString::fromLatin1(kSonstige[i].feld)];
        setze(QStringLiteral("TLblSonstige") + sonstige[i], name + QLatin1Char(':'));
        setze(QStringLiteral("TLblSonstige%1KostenUeberschrift").arg(sonstige[i]), name.left(11));
    }
    for (const auto &k : kFixkosten) {
        const QString name = namen[QString::fromLatin1(k.name.feld)];
        setze(QString::fromLatin1(k.label), name);
        setze(QString::fromLatin1(k.labelMonat), name + QLatin1Char(':'));
    }
    const QString gruppe = namen[QString::fromLatin1(kGruppe.feld)];
    setze(QStringLiteral("LblGruppe"), gruppe);
    setze(QStringLiteral("Gruppe1"), gruppe);
    setze(QStringLiteral("LblKopfzeileGruppe"), KopfzeilenText(gruppe));
    const QString kostenstelle = namen[QString::fromLatin1(kKostenstelle.feld)];
    setze(QStringLiteral("LblStandort"), kostenstelle);
    setze(QStringLiteral("KoststStandort1"), kostenstelle);
    setze(QStringLiteral("LblKopfzeileKostenstelle"), KopfzeilenText(kostenstelle));
    for (const auto &f : kFahrzeugFelder)
        setze(QString::fromLatin1(f.label), namen[QString::fromLatin1(f.name.feld)]);
    const QString schadstoff = namen[QString::fromLatin1(kSchadstoff.feld)];
    setze(QStringLiteral("LblSchadstoff"), schadstoff + QStringLiteral("/Km.(g)"));
    setze(QStringLiteral("LblMonatsuebersichtSchadstoff"), schadstoff + QStringLiteral("/Gef.Km.(g)"));
    const auto termin = [&l, &namen](const QString &feld, const QString &label) {
        const QString name = namen[feld];
        l.append({label, name.isEmpty() ? std::nullopt : std::optional<QString>(name)});
    };
    for (const auto &t : kTermine)
        termin(QString::fromLatin1(t.feld), QString::fromLatin1(t.label));
    for (int i = 1; i <= 14; ++i)
        termin(QStringLiteral("NameFreitermin%1").arg(i), QStringLiteral("LblFreierTermin%1").arg(i));
    for (int i = 1; i <= 20; ++i)
        setze(QStringLiteral("LblFreifeld%1").arg(i), namen[freifeldName(i)]);
    return l;
}

} // namespace fleet
