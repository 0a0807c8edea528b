#include "logik/DispoFFDaten.h"

#include <algorithm>
#include <exception>

#include <QCollator>
#include <QLocale>

#include "daten/Hilfstabellen.h"
#include "daten/SichtLesen.h"
#include "dbe/Field.h"
#include "dbe/Table.h"

namespace fleet::dispo {

namespace {

const char *const kFelder[] = {"Kfznr", "Info", "Gruppe", "Kostenstelle", "KfzHerstellerKz", "KfzMarke"};

} // namespace

QStringList FFSpaltenTitel(int modus)
{
    QStringList titel{QStringLiteral("Kennzeichen"), QStringLiteral("Info"),
                      QStringLiteral("Gruppe"),      QStringLiteral("Kostenst./Standort"),
                      QStringLiteral("Hersteller"),  QStringLiteral("Typ/Marke")};
    if (modus == kFFAlle)
        titel << QStringLiteral("Frei");
    return titel;
}

QList<int> FFSpaltenBreiten(int modus)
{
    QList<int> breiten{80, 180, 180, 180, 180, 180};
    if (modus == kFFAlle)
        breiten << 30;
    return breiten;
}

QString FFTitel(int modus)
{
    return modus == kFFAlle
               ? QStringLiteral("Fuhrpark Fahrzeuge-Disposition (Alle Fahrzeuge - freie Fahrzeuge "
                                "grün hinterlegt)")
               : QStringLiteral("Fuhrpark Fahrzeuge-Disposition (Freie Fahrzeuge - Fahrzeuge ohne "
                                "Reservierungen in dem sichtbaren Zeitraum)");
}

QString FFStatus(int modus, int anzahl)
{
    return (modus == kFFAlle ? QStringLiteral("Fahrzeuge: ") : QStringLiteral("Freie Fahrzeuge: ")) +
           QString::number(anzahl);
}

QSet<QString> GebuchteFahrzeuge(dbe::TDataSet &buchungen)
{
    QSet<QString> gebucht;
    dbe::TField *kfz = buchungen.FieldByName(QStringLiteral("Kfznr"));
    buchungen.DisableControls();
    struct Ende {
        dbe::TDataSet &d;
        ~Ende() { d.EnableControls(); }
    } ende{buchungen};
    for (buchungen.First(); !buchungen.Eof(); buchungen.Next())
        gebucht.insert(kfz->AsString());
    return gebucht;
}

QList<QStringList> FFZeilen(dbe::TTable &fahrzeuge, const QSet<QString> &gebucht, int modus,
                            const std::function<void()> &schritt)
{
    QList<QStringList> zeilen;
    if (!fahrzeuge.Active())
        return zeilen;
    QStringList felder;
    for (const char *name : kFelder)
        felder << QString::fromLatin1(name);
    SichtLesen(fahrzeuge, felder, [&](const std::vector<QVariant> &werte) {
        if (schritt)
            schritt();
        QStringList zeile;
        for (const QVariant &wert : werte)
            zeile << wert.toString();
        const bool frei = !gebucht.contains(zeile.first());
        if (modus == kFFAlle)
            zeile << (frei ? QStringLiteral("X") : QStringLiteral(" "));
        else if (!frei)
            return;
        zeilen << zeile;
    });
    return zeilen;
}

FFErmittlung FahrzeugeErmitteln(dbe::TTable &fahrzeuge, dbe::TTable &dispo, dbe::TTable &kopie, int modus,
                                const FFFortschritt &fortschritt)
{
    FFErmittlung e;
    if (kopie.Active()) {
        e.stand = FFStand::Belegt;
        return e;
    }
    struct Ruhe {
        dbe::TTable &t;
        ~Ruhe() { HilfstabelleInRuhe(t); }
    } ruhe{kopie};
    try {
        kopie.SetDatabaseName(dispo.DatabaseName());
        kopie.SetTableName(dispo.TableName());
        if (dispo.Filtered()) {
            kopie.SetFilter(dispo.Filter());
            kopie.SetFiltered(true);
        }
        kopie.Open();
    } catch (const std::exception &fehler) {
        e.stand = FFStand::NichtGeoeffnet;
        e.fehler = QString::fromUtf8(fehler.what());
        return e;
    }
    const QSet<QString> gebucht = GebuchteFahrzeuge(kopie);
    if (fortschritt.anfang)
        fortschritt.anfang(fahrzeuge.Active() ? fahrzeuge.RecordCount() : 0);
    e.zeilen = FFZeilen(fahrzeuge, gebucht, modus, fortschritt.schritt);
    return e;
}

void FFSortieren(QList<QStringList> &zeilen, int spalte)
{
    // German rules whatever the machine's locale says.
    QCollator vergleich{QLocale(QLocale::German, QLocale::Germany)};
    vergleich.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(zeilen.begin(), zeilen.end(), [&](const QStringList &a, const QStringList &b) {
        const int k = vergleich.compare(a.value(spalte), b.value(spalte));
        if (k != 0)
            return k < 0;
        return vergleich.compare(a.join(QLatin1Char('\n')), b.join(QLatin1Char('\n'))) < 0;
    });
}

} // namespace fleet::dispo
