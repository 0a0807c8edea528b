#include "regeln/StartEinstellungen.h"

#include <QObject>

#include "daten/Einstellungswerte.h"
#include "dbe/DataSet.h"
#include "dbe/DataSource.h"
#include "dbe/Field.h"
#include "regeln/FeldBezeichnungen.h"
#include "ui/DBCheckBox.h"

namespace fleet {
int SichtbareFreifelder = 20;
}

namespace fleet::starteinstellungen {

namespace {

Wirkung zeigen(const char *name)
{
    return {Wirkung::Zeigen, QString::fromLatin1(name)};
}
Wirkung verbergen(const QString &name)
{
    return {Wirkung::Verbergen, name};
}
Wirkung verbergen(const char *name)
{
    return verbergen(QString::fromLatin1(name));
}
Wirkung sperren(const char *name)
{
    return {Wirkung::Sperren, QString::fromLatin1(name)};
}

// The workstation's flags with what a False flag does, in reading order.
struct Flagge {
    const char *feld;
    QList<Wirkung> wirkungen;
};

const QList<Flagge> &flaggen()
{
    static const QList<Flagge> liste{
        {"StammdatenZeigen",
         {sperren("TabStammDaten"), {Wirkung::NeueZeilenSperren, QStringLiteral("TabStammDaten")}}},
        {"MemoZeigen", {verbergen("TabMemo"), verbergen("TPanMemoLED")}},
        {"TourenZeigen", {verbergen("TabTouren")}},
        {"VarKostenZeigen", {verbergen("TabKosten")}},
        {"MonatsauswertungZeigen", {verbergen("TabMonatsAuswertung")}},
        {"MonatsuebersichtZeigen", {verbergen("TabMonatsuebersicht")}},
        {"ReifenverwaltungZeigen", {verbergen("TabReifen")}},
        {"HistorieZeigen",
         {verbergen("TabHistorie"), verbergen("BtnKosteninHistorie"), verbergen("TabSchadensmanagement")}},
        {"DispositionZeigen", {verbergen("TabDispo")}},
        // The top-level menu has no name of its own: found by its caption.
        {"TerminverwaltungZeigen", {sperren("&Terminverwaltung")}},
        {"Fahrer-StammdatenZeigen", {sperren("Fahrer1")}},
    };
    return liste;
}

void verzeichnen(const QObject &oben, QHash<QString, QObject *> &erste)
{
    const QObjectList &kinder = oben.children();
    for (QObject *k : kinder) {
        const QString name = k->objectName();
        if (!name.isEmpty() && !erste.contains(name))
            erste.insert(name, k);
    }
    for (const QObject *k : kinder)
        verzeichnen(*k, erste);
}

void setze(QList<Anzeigename> &liste, const char *tabelle, const char *feld, const QString &text)
{
    liste.append({QString::fromLatin1(tabelle), QString::fromLatin1(feld), text});
}

} // namespace

bool Logisch(const QVariant &wert)
{
    return wert.isValid() && !wert.isNull() && wert.toBool();
}

int Zahl(const QVariant &wert)
{
    if (!wert.isValid() || wert.isNull())
        return 0;
    bool ok = false;
    const int zahl = wert.toInt(&ok);
    return ok ? zahl : 0;
}

QString Text(const QVariant &wert)
{
    return wert.isValid() ? wert.toString() : QString();
}

QString Arbeitsplatz(const QString &gespeichert, const QString &bisher)
{
    return gespeichert.isEmpty() ? bisher : gespeichert;
}

bool NurLesenAus(const QString &rights)
{
    return rights == QLatin1String("L");
}

bool TourenModusAus(const QString &textfeld1)
{
    return textfeld1 != QLatin1String("Kosten");
}

int UebersichtSpaltenAus(const QString &textfeld2)
{
    return textfeld2 == QLatin1String("Standard") ? 0 : 1;
}

QChar KollisionsPruefungAus(const QString &textfeld14)
{
    return textfeld14 == QLatin1String("Z") ? QLatin1Char('Z') : QLatin1Char('D');
}

QChar KollisionsAktionAus(const QString &textfeld15)
{
    return textfeld15 == QLatin1String("V") ? QLatin1Char('V') : QLatin1Char('W');
}

QList<Wirkung> KilometerModusWirkungen(bool tourenModus)
{
    if (!tourenModus)
        return {verbergen("TabTouren"),
                sperren("Tourenauswertung2"),
                {Wirkung::SerieAktivieren, QStringLiteral("Series5")}};
    return {zeigen("TabTouren"),
            {Wirkung::Freigeben, QStringLiteral("Tourenauswertung2")},
            zeigen("LblSummeErtragMonat"),
            zeigen("BevErtrag"),
            zeigen("PanMonatsauswertungErtrag"),
            zeigen("LblSummeUeberschussMonat"),
            zeigen("BevUeberschuss"),
            zeigen("PanMonatsauswertungUeberschuss"),
            {Wirkung::SerieAktivieren, QStringLiteral("Series14")},
            zeigen("BtnInTourenKopieren")};
}

QList<Wirkung> ArbeitsplatzWirkungen(const Feldleser &arbeitsplatz)
{
    QList<Wirkung> wirkungen;
    for (const Flagge &f : flaggen())
        if (!Logisch(arbeitsplatz(QString::fromLatin1(f.feld))))
            wirkungen += f.wirkungen;
    return wirkungen;
}

QList<Wirkung> FreifeldWirkungen(int anzahl)
{
    QList<Wirkung> wirkungen;
    for (int k = 15; k > anzahl && k >= 1; --k) {
        wirkungen << verbergen(QStringLiteral("EditFreifeld%1").arg(k))
                  << verbergen(QStringLiteral("LblFreifeld%1").arg(k));
    }
    if (anzahl < 1)
        wirkungen << verbergen("Bevel8");
    return wirkungen;
}

QList<Wirkung> LeasingWirkungen(bool sichtbar)
{
    if (sichtbar)
        return {};
    QList<Wirkung> wirkungen;
    for (const char *name :
         {"BevLeasing", "DBLkCmbBoxNameLeasinggesellschaft", "EditLeasingAnfangsDatum", "EditLeasingEndDatum",
          "EditLeasingDauer", "LblVorausLsEndKmStand", "LblNameLeasinggesellschaft", "LblLeasingAnfangsDatum",
          "LblLeasingEndDatum", "LblLeasingDauer", "LblVorausEndKmStand", "LblUeberschriftLeasing"})
        wirkungen << verbergen(name);
    for (int i = 16; i <= 20; ++i)
        wirkungen << verbergen(QStringLiteral("EditFreifeld%1").arg(i));
    for (int i = 16; i <= 20; ++i)
        wirkungen << verbergen(QStringLiteral("LblFreifeld%1").arg(i));
    for (const char *filter : {"AlleLeasingfahrzeuge1", "KeineLeasingfahrzeuge1", "Leasinggesellschaft1"})
        wirkungen << sperren(filter);
    return wirkungen;
}

QStringList NurLesenVerborgeneSeiten()
{
    return {QStringLiteral("TabTerminVorgaben"),     QStringLiteral("TabDesigner"),
            QStringLiteral("TabAllgemeineVorgaben"), QStringLiteral("TabFeldnamen"),
            QStringLiteral("TabFeldnamen2"),         QStringLiteral("TabFeldnamen3"),
            QStringLiteral("TabDatenbank")};
}

QList<Anzeigename> FeldAnzeigenamen(const TFeldBezeichnungen &namen, const Feldleser &allgemein,
                                    const std::function<QString(const QString &label)> &beschriftung)
{
    QList<Anzeigename> l;
    const char *const sonstige[][2] = {{"NameSonstigeKosten", "SonstigeKosten"},
                                       {"NameSonstige2Kosten", "Sonstige2Kosten"},
                                       {"NameSonstige3Kosten", "Sonstige3Kosten"},
                                       {"NameSonstige4Kosten", "Sonstige4Kosten"}};
    for (const auto &s : sonstige) {
        const QString text = namen[QString::fromLatin1(s[0])];
        for (const char *tabelle : {"KfzVar.db", "KfzMonat.DB", "KfzFuKst.db"})
            setze(l, tabelle, s[1], text);
    }
    // Vehicle master fields by the name of their caption.
    const char *const stamm[][2] = {
        {"NameKostenHaftpflicht", "HaftpflNettoBetrag"},
        {"NameKostenKasko", "KaskoNettoBetrag"},
        {"NameKostenSteuer", "Steuer"},
        {"NameKostenLeasing", "Vermoegenssteuer"},
        {"NameKostenGewKapSt", "GewKapSteuer"},
        {"NameKostenAFA", "AFA"},
        {"NameKostenZinsen", "Zinsen"},
        {"NameKostenSonstige", "KfzSonstiges"},
    };
    for (const auto &s : stamm)
        setze(l, "KfzStamm.db", s[1], namen[QString::fromLatin1(s[0])]);
    for (const char *tabelle : {"KfzStamm.db", "KfzFuKst.db"}) {
        setze(l, tabelle, "Gruppe", namen[QStringLiteral("NameGruppe")]);
        setze(l, tabelle, "Kostenstelle", namen[QStringLiteral("NameKostenstelle")]);
    }
    const char *const fahrzeug[][2] = {
        {"NamePkwNummer", "PkwNummer"},
        {"NameFahrer", "FahrerName"},
        {"NameFahrerNr", "FahrerNr"},
        {"NameFahrerKz", "FahrerKz"},
        {"NameBesitzerKz", "BesitzerKz"},
        {"NameMarke", "KfzMarke"},
        {"NameHerstellerKz", "KfzHerstellerKz"},
        {"NameBaujahr", "KfzBaujahr"},
        {"NameHubraum", "KfzHubraum"},
        {"NameKWPS", "KfzKW/PS"},
        {"NameAufbau", "KfzAufbau"},
        {"NameZulassung", "KfzZulassung"},
        {"NameVersPolNr", "VersPolNr"},
        // The chassis number lives in free field 5.
        {"NameFahrgestellnr", "Freifeld5"},
        {"NameAnschaffwert", "Anschaffungswert"},
        {"NameZinssatz", "Zinssatz"},
        {"NameKaufLeasingdatum", "FreifeldDatum3"},
    };
    for (const auto &s : fahrzeug) {
        const QString text = namen[QString::fromLatin1(s[0])];
        setze(l, "KfzStamm.db", s[1], text);
        if (qstrcmp(s[1], "KfzMarke") == 0)
            setze(l, "KfzVergl.db", "Typ", text);
        else if (qstrcmp(s[1], "KfzHerstellerKz") == 0)
            setze(l, "KfzVergl.db", "Hersteller", text);
    }

    // Appointments carry the caption their label got at start.
    QList<std::pair<QString, QString>> termine{
        {QStringLiteral("LblInspektionTermin"), QStringLiteral("KfzInspektTermin")},
        {QStringLiteral("LblVignette1Termin"), QStringLiteral("KfzVignetteTermin1")},
        {QStringLiteral("LblVignette2Termin"), QStringLiteral("KfzVignetteTermin2")}};
    for (int i = 1; i <= 14; ++i)
        termine.append(
            {QStringLiteral("LblFreierTermin%1").arg(i),
             i <= 3 ? QStringLiteral("KfzFreierTermin%1").arg(i) : QStringLiteral("FreierTermin%1").arg(i)});
    termine.append({QStringLiteral("LblKlInspektionTermin"), QStringLiteral("KfzKlInspektionTermin")});
    termine.append({QStringLiteral("LblGrInspektionTermin"), QStringLiteral("KfzGrInspektionTermin")});
    for (const auto &[label, feld] : termine)
        l.append({QStringLiteral("KfzStamm.db"), feld, beschriftung(label)});

    // Free field 5's caption names the field that once held it (51); free
    // field 10's caption is stored as "NameFreifeld100".
    for (int i = 1; i <= 20; ++i) {
        const QString name =
            i == 10 ? QStringLiteral("NameFreifeld100") : QStringLiteral("NameFreifeld%1").arg(i);
        const QString feld = i == 5 ? QStringLiteral("Freifeld51") : QStringLiteral("Freifeld%1").arg(i);
        l.append({QStringLiteral("KfzStamm.db"), feld, Text(allgemein(name))});
    }
    return l;
}

QStringList FahrerFreifeldNamen(const Feldleser &allgemein)
{
    QStringList namen;
    for (int i = 1; i <= 8; ++i) {
        const QString name = Text(allgemein(QStringLiteral("Textfeld%1").arg(5 + i)));
        namen << (name.isEmpty() ? QStringLiteral("Freifeld%1").arg(i) : name);
    }
    return namen;
}

QList<Anzeigename> BemerkungsAnzeigenamen(const Feldleser &allgemein)
{
    struct Gruppe {
        const char *tabelle;
        const char *namen[3];
        const char *felder[3];
    };
    static const Gruppe gruppen[] = {
        {"KfzSchad.db", {"Textfeld16", "Textfeld17", "Textfeld18"}, {"Info1", "Info2", "Info3"}},
        {"KfzVar.db",
         {"NameVarKostenBemerkung1", "NameVarKostenBemerkung2", "NameVarKostenBemerkung3"},
         {"Bemerkungen", "Bemerkung2", "Bemerkung3"}},
        {"KfzTour.db",
         {"NameTourenBemerkung1", "NameTourenBemerkung2", "NameTourenBemerkung3"},
         {"Bemerkungen", "Bemerkung2", "Bemerkung3"}},
        {"KfzHisto.db",
         {"NameHistorieBemerkung1", "NameHistorieBemerkung2", "NameHistorieBemerkung3"},
         {"Info", "Reserve1", "Reserve2"}},
        {"KfzDispo.DB",
         {"NameDispoBemerkung1", "NameDispoBemerkung2", "NameDispoBemerkung3"},
         {"Bemerkung1", "Bemerkung2", "Bemerkung3"}},
    };
    QList<Anzeigename> l;
    for (const Gruppe &g : gruppen)
        for (int i = 0; i < 3; ++i) {
            const QString text = Text(allgemein(QString::fromLatin1(g.namen[i])));
            if (!text.isEmpty())
                setze(l, g.tabelle, g.felder[i], text);
        }
    return l;
}

bool KreuzGesetzt(const dbe::TDataSource &quelle, const QString &feld, const QString &angekreuzt)
{
    const dbe::TDataSet *daten = quelle.DataSet();
    if (!daten || !quelle.Enabled() || !daten->Active() || feld.isEmpty())
        return false;
    return ui::fieldShowsChecked(daten->FindField(feld), angekreuzt);
}

QHash<QString, QObject *> ErsteNachNamen(const QObject &oben)
{
    QHash<QString, QObject *> erste;
    verzeichnen(oben, erste);
    return erste;
}

QString NachschlagTitel(const QString &bezeichnung)
{
    return QStringLiteral("Nachschlagetabelle \"") + bezeichnung + QLatin1Char('"');
}

} // namespace fleet::starteinstellungen
