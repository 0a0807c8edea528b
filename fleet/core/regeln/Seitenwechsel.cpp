#include "regeln/Seitenwechsel.h"

namespace fleet::seitenwechsel {

namespace {

constexpr unsigned kDetailRaster = 0xF96F; // without IncSearch, Duplicate, Delete, Insert
constexpr unsigned kDetailSeite = 0xF97F;  // without Duplicate, Delete, Insert
constexpr unsigned kStammdaten = 0x690;    // IncSearch, Duplicate, Delete, Insert
constexpr unsigned kNeueZeilen = akDuplicate | akDelete | akInsert;

} // namespace

QString EinfuegeTabelle(const QString &seite)
{
    if (seite == QLatin1String("TabStammDaten"))
        return QStringLiteral("TTblMain");
    if (seite == QLatin1String("TabKosten"))
        return QStringLiteral("TTblVarKosten");
    if (seite == QLatin1String("TabTouren"))
        return QStringLiteral("TTblTouren");
    if (seite == QLatin1String("TabDispo"))
        return QStringLiteral("TTblDispo");
    return {};
}

QString VerlassenMeldung(const QString &seite)
{
    if (seite == QLatin1String("TabStammDaten"))
        return QStringLiteral(
            "Bitte speichern Sie zunächst das neue Fahrzeug ab (Haken-Symboltaste) oder verwerfen Sie "
            "die Daten (X-Symboltaste).");
    if (seite == QLatin1String("TabKosten"))
        return QStringLiteral(
            "Bitte speichern Sie zunächst den neuen Kostendatensatz ab (Speichern-Taste) oder "
            "verwerfen Sie die Daten (Löschen-Taste).");
    if (seite == QLatin1String("TabTouren"))
        return QStringLiteral(
            "Bitte speichern Sie zunächst den neuen Tourendatensatz ab (Speichern-Taste) oder "
            "verwerfen Sie die Daten (Löschen-Taste).");
    if (seite == QLatin1String("TabDispo"))
        return QStringLiteral(
            "Bitte speichern Sie zunächst den neuen Dispositionsdatensatz ab (Speichern-Taste) oder "
            "verwerfen Sie die Daten (Löschen-Taste).");
    return {};
}

unsigned AllowKeysNachWechsel(const QString &seite, unsigned allowKeys, bool stammdatenFreigegeben)
{
    if (seite == QLatin1String("TabStammDaten"))
        return stammdatenFreigegeben ? allowKeys | kStammdaten : allowKeys & ~kNeueZeilen;
    if (seite == QLatin1String("TabTouren") || seite == QLatin1String("TabKosten"))
        return allowKeys & kDetailRaster;
    if (seite == QLatin1String("TabMemo") || seite == QLatin1String("TabReifen") ||
        seite == QLatin1String("TabHistorie") || seite == QLatin1String("TabSchadensmanagement") ||
        seite == QLatin1String("TabDispo"))
        return (allowKeys & kDetailSeite) | akIncSearch;
    return allowKeys;
}

QStringList SpaltenZuSpeichern(bool zurueckgesetzt, bool tourenModus, const QSet<QString> &verschoben)
{
    if (zurueckgesetzt)
        return {};
    QStringList liste{QStringLiteral("Main")};
    if (tourenModus && verschoben.contains(QStringLiteral("Touren")))
        liste << QStringLiteral("Touren");
    for (const char *kz : {"Varkost", "Dispo", "Histo", "Schaden"}) {
        const QString k = QString::fromLatin1(kz);
        if (verschoben.contains(k))
            liste << k;
    }
    return liste;
}

} // namespace fleet::seitenwechsel
