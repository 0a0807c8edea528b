#include "logik/DispoZeitraumRegeln.h"

#include <algorithm>
#include <cmath>

namespace fleet::dispo {

namespace {

constexpr double kSekunde = 1.0 / 86400.0;

base::TDateTime plus(Schritt schritt, base::TDateTime wert, bool kalender)
{
    switch (schritt) {
    case Schritt::Tag:
        return wert + 1;
    case Schritt::Woche:
        return wert + 7;
    case Schritt::Monat:
        return kalender ? base::incMonth(wert, 1) : wert + 30;
    case Schritt::Jahr:
        return kalender ? base::incMonth(wert, 12) : wert + 365;
    }
    return wert;
}

} // namespace

Daten Erhoehen(Modus modus, Schritt schritt, Daten d)
{
    switch (modus) {
    case Modus::Beide:
        return {plus(schritt, d.von, true), plus(schritt, d.bis, true)};
    case Modus::Anfangsdatum: {
        const base::TDateTime von = plus(schritt, d.von, true);
        return {von, std::floor(d.bis) < std::floor(von) ? von : d.bis};
    }
    case Modus::Enddatum:
        return {d.von, plus(schritt, d.bis, false)};
    }
    return d;
}

base::TDateTime Tageszeit(base::TDateTime wert)
{
    // Through the engine's own encoding, so the value equals a stored time of
    // the same clock reading exactly (keys are located by equality).
    const int sekunden = std::min(86399, int(std::lround((wert - std::floor(wert)) * 86400.0)));
    return base::encodeTime(sekunden / 3600, sekunden / 60 % 60, sekunden % 60);
}

std::optional<Ende> GleicherTagKorrektur(base::TDateTime vonDatum, base::TDateTime bisDatum,
                                         base::TDateTime vonZeit, base::TDateTime bisZeit)
{
    if (std::floor(vonDatum) != std::floor(bisDatum))
        return std::nullopt;
    const base::TDateTime von = Tageszeit(vonZeit);
    if (Tageszeit(bisZeit) > von)
        return std::nullopt;
    // Counted in whole seconds: 23:00 plus one hour is exactly midnight.
    double sekunden = std::round(von * 86400.0) + 3600.0;
    Ende e{std::floor(bisDatum), 0};
    if (sekunden >= 86400.0) {
        e.datum += 1;
        sekunden -= 86400.0;
    }
    e.uhrzeit = sekunden * kSekunde;
    return e;
}

} // namespace fleet::dispo
