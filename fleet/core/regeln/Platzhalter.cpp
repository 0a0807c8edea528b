#include "regeln/Platzhalter.h"

namespace fleet {

bool PlatzhalterZerlegen(const QString &platzhalter, QString &kategorie, QString &feld)
{
    const qsizetype slash = platzhalter.indexOf(QLatin1Char('/'));
    if (slash < 0) {
        kategorie.clear();
        feld.clear();
        return false;
    }
    // The leading "<" and the closing ">" are dropped by position, not by value.
    kategorie = slash > 1 ? platzhalter.mid(1, slash - 1) : QString();
    const qsizetype feldLaenge = platzhalter.size() - slash - 2;
    feld = feldLaenge > 0 ? platzhalter.mid(slash + 1, feldLaenge) : QString();
    return kategorie == QLatin1String("Fahrer") || kategorie == QLatin1String("Fahrzeug");
}

} // namespace fleet
