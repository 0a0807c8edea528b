#include "regeln/FahrzeugMenueFilter.h"

namespace fleet {

namespace {

constexpr int kLeer = 1, kNichtLeer = 2, kGleich = 3;
constexpr int kWertLaenge = 255;

const QString kLeasing = QStringLiteral("NameLeasingges");

} // namespace

const QList<FahrzeugMenueFilter> &FahrzeugMenueFilterListe()
{
    static const QList<FahrzeugMenueFilter> liste{
        {QStringLiteral("Info1"), QStringLiteral("Info"), kGleich, QStringLiteral("Info"),
         QStringLiteral("Anzahl Fahrzeuge mit entsprechender Info: ")},
        {QStringLiteral("Gruppe1"), QStringLiteral("Gruppe"), kGleich, QStringLiteral("Gruppe"),
         QStringLiteral("Anzahl Fahrzeuge mit entsprechender Gruppe: ")},
        {QStringLiteral("KoststStandort1"), QStringLiteral("Kostenstelle"), kGleich,
         QStringLiteral("KstSt./Standort"),
         QStringLiteral("Anzahl Fahrzeuge mit entsprechender Kostenstelle/Standort: ")},
        {QStringLiteral("AlleLeasingfahrzeuge1"), kLeasing, kNichtLeer, QStringLiteral("Alle Leas.fahrzg."),
         QStringLiteral("Anzahl Leasing-Fahrzeuge: ")},
        {QStringLiteral("KeineLeasingfahrzeuge1"), kLeasing, kLeer, QStringLiteral("Keine Leas.fahrzg."),
         QStringLiteral("Anzahl eigene Fahrzeuge: ")},
        {QStringLiteral("Leasinggesellschaft1"), kLeasing, kGleich, QStringLiteral("Leasinggesellsch."),
         QStringLiteral("Anzahl Fahrzeuge der Leasinggesellschaft %1: ")},
    };
    return liste;
}

const FahrzeugMenueFilter *FahrzeugMenueFilterZu(const QString &aktion)
{
    for (const FahrzeugMenueFilter &f : FahrzeugMenueFilterListe())
        if (f.aktion == aktion)
            return &f;
    return nullptr;
}

QString FahrzeugFilterWert(const FahrzeugMenueFilter &filter, const QString &aktuellerWert)
{
    if (filter.op != kGleich)
        return {};
    return aktuellerWert.left(kWertLaenge);
}

QString FahrzeugFilterMeldung(const FahrzeugMenueFilter &filter, const QString &wert, int anzahl)
{
    // The company's name is the only count text with a value in it.
    const QString zaehlText =
        filter.zaehlText.contains(QLatin1String("%1")) ? filter.zaehlText.arg(wert) : filter.zaehlText;
    return QStringLiteral("Achtung - ein Filter wurde eingeschaltet - Sie können ihn über das Menü "
                          "<Bearbeiten> <Filter aus> wieder ausschalten\r\r") +
           zaehlText + QString::number(anzahl);
}

QString FahrzeugFilterLeerMeldung(const QString &bezeichnung)
{
    return bezeichnung + QStringLiteral("- zur Zeit keine Fahrzeuge nach Filter.");
}

QString AuswertungFilterFeld(const QString &bezeichnung)
{
    if (bezeichnung == QLatin1String("Gruppe") || bezeichnung == QLatin1String("Info"))
        return bezeichnung;
    if (bezeichnung == QLatin1String("Leasinggesellsch."))
        return kLeasing;
    // "All leasing vehicles" and "no leasing vehicles" have no single value.
    if (bezeichnung == QLatin1String("Alle Leas.fahrzg.") ||
        bezeichnung == QLatin1String("Keine Leas.fahrzg."))
        return {};
    return QStringLiteral("Kostenstelle");
}

} // namespace fleet
