#include "logik/TankdatenLesen.h"

#include <cmath>

#include <QDate>

namespace fleet::tank {

namespace {

struct Datumsformat {
    const char *name;
    int tag, monat, jahr; // 1-based start positions
    int jahrStellen;      // 2: "20" in front
};

const Datumsformat kFormate[] = {
    {"YYYYMMTT", 7, 5, 1, 4},   {"TT.MM.YYYY", 1, 4, 7, 4}, {"YYMMTT", 5, 3, 1, 2},
    {"TTMMYY", 1, 3, 5, 2},     {"MMTTYYYY", 3, 1, 5, 4},   {"TTMMYYYY", 1, 3, 5, 4},
    {"YYYY.MM.TT", 9, 6, 1, 4}, {"MM.TT.YYYY", 4, 1, 7, 4},
};

// Digits only, exactly as many as asked for; -1 otherwise.
int ziffern(const QString &text, int start, int anzahl)
{
    if (start < 1 || start - 1 + anzahl > text.size())
        return -1;
    int wert = 0;
    for (int i = start - 1; i < start - 1 + anzahl; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        wert = wert * 10 + (c.unicode() - '0');
    }
    return wert;
}

const char *const kBetragsFelder[] = {
    "Benzin/Preis", "Reparaturkosten", "Wartungkosten",   "Untersuchungkosten", "Reifenkosten",
    "Pflegekosten", "Sonstigekosten",  "Sonstige2kosten", "Sonstige3kosten",    "Sonstige4kosten"};

} // namespace

base::TDateTime MarkerDatum()
{
    return base::encodeDate(1899, 1, 1);
}

base::TDateTime TankDatumLesen(const QString &text, const QString &format)
{
    const QString f = format.toUpper();
    for (const Datumsformat &d : kFormate) {
        if (f != QLatin1String(d.name))
            continue;
        const int tag = ziffern(text, d.tag, 2), monat = ziffern(text, d.monat, 2);
        int jahr = ziffern(text, d.jahr, d.jahrStellen);
        if (tag < 0 || monat < 0 || jahr < 0)
            return MarkerDatum();
        if (d.jahrStellen == 2)
            jahr += 2000;
        if (!QDate::isValid(jahr, monat, tag))
            return MarkerDatum();
        return base::encodeDate(jahr, monat, tag);
    }
    return MarkerDatum();
}

double BetragLesen(const QString &text)
{
    QString t = text;
    const qsizetype punkt = t.indexOf(QLatin1Char('.'));
    if (punkt >= 0)
        t[punkt] = QLatin1Char(',');
    if (!t.contains(QLatin1Char(','))) {
        // Cents: at least three digits after the sign, so that "5" is 0,05.
        const QString vorn = t.trimmed();
        const bool minus = vorn.startsWith(QLatin1Char('-'));
        QString zahl = minus ? vorn.mid(1) : vorn;
        if (zahl.isEmpty())
            return 0;
        while (zahl.size() < 3)
            zahl.prepend(QLatin1Char('0'));
        zahl.insert(zahl.size() - 2, QLatin1Char(','));
        t = (minus ? QStringLiteral("-") : QString()) + zahl;
    }
    t = t.trimmed();
    // Only a sign, digits and the one comma: no thousands groups, no exponent.
    bool komma = false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c == QLatin1Char('-') && i == 0)
            continue;
        if (c == QLatin1Char(',') && !komma) {
            komma = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    }
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double wert = t.toDouble(&ok);
    return ok && std::isfinite(wert) ? wert : 0;
}

int KmStandLesen(const QString &text)
{
    bool ok = false;
    const int km = text.trimmed().toInt(&ok);
    return ok ? km : 0;
}

std::array<QString, 6> KennzeichenVarianten(const QString &k)
{
    std::array<QString, 6> v;
    v[0] = k;
    v[1] = QString(k).remove(QLatin1Char(' '));
    v[2] = QString(k).remove(QLatin1Char('-'));
    v[3] = QString(k).remove(QLatin1Char('-')).remove(QLatin1Char(' '));
    if (!k.contains(QLatin1Char('-')) && k.contains(QLatin1Char(' '))) {
        QString s = k;
        s[s.indexOf(QLatin1Char(' '))] = QLatin1Char('-');
        v[4] = s;
        v[5] = s.remove(QLatin1Char(' '));
    }
    return v;
}

int WarengruppeZuordnen(const TankdateiKonfiguration &konfig, const QString &schluessel)
{
    for (int i = 0; i < kWarengruppen; ++i)
        if (konfig.Warengruppe[i] == schluessel)
            return konfig.Varkosten[i];
    return 0;
}

QString BetragsFeld(int kategorie)
{
    if (kategorie < 1 || kategorie > 10)
        return QString();
    return QString::fromLatin1(kBetragsFelder[kategorie - 1]);
}

namespace {

QStringList zaehlerZeilen(const PruefZaehler &z, const QString &gelbVorn)
{
    return {
        QStringLiteral("Rot - Bei %1 Datensätzen konnten die Kennzeichen nicht zugeordnet werden").arg(z.Rot),
        QStringLiteral("Grau - Bei %1 Datensätzen konnten die Warengruppen nicht zugeordnet werden")
            .arg(z.Grau),
        gelbVorn +
            QStringLiteral("%1 Datensätzen traten Fehler in den Datums-, Mengen- und Betragsfeldern auf")
                .arg(z.Gelb),
        QStringLiteral("Türkis - Bei %1 Datensätzen - Indexfehler, ein Kostensatz mit dieser Kombination "
                       "Rechnungsdatum + Belegnummer ist bei dem Fahrzeug schon gebucht")
            .arg(z.Tuerkis)};
}

} // namespace

QString ImportMeldung(int importiert, const PruefZaehler &z, int nichtGespeichert)
{
    QStringList teile{QStringLiteral("%1 Datensätze wurden importiert").arg(importiert)};
    if (z.irgendeiner())
        teile << zaehlerZeilen(z, QStringLiteral("Gelb - Bei "));
    else
        teile << QStringLiteral("Es wurden keine fehlerhaften Datensätze festgestellt")
              << QStringLiteral(
                     "Bitte überprüfen Sie alle Felder (KmStand etc.) und ergänzen Sie evtl. fehlende "
                     "Informationen..");
    if (nichtGespeichert > 0)
        teile << QStringLiteral("Bei %1 Datensätzen ist das Speichern in der Import-Tabelle fehlgeschlagen")
                     .arg(nichtGespeichert);
    return teile.join(QLatin1Char('\r'));
}

QString PruefMeldung(const PruefZaehler &z)
{
    QStringList teile{
        QStringLiteral("Es wurden fehlerhafte Datensätze bei der Prüfung gefunden - bitte beachten "
                       "Sie die farblich markierten Tabellenzeilen")};
    teile << zaehlerZeilen(z, QStringLiteral("Gelb - Bei"));
    return teile.join(QLatin1Char('\r'));
}

QString BuchungsMeldung(int gebucht, int fehlgeschlagen)
{
    QString t = QStringLiteral("%1 Datensätze wurden gebucht").arg(gebucht);
    if (fehlgeschlagen > 0)
        t += QLatin1Char('\r') +
             QStringLiteral("Bei %1 Datensätzen ist das Buchen fehlgeschlagen").arg(fehlgeschlagen);
    return t;
}

} // namespace fleet::tank
