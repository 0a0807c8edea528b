#include "logik/BriefPlatzhalter.h"

#include "regeln/Platzhalter.h"

namespace fleet::brief {

ErsetzenErgebnis PlatzhalterErsetzen(BriefText &text, const Feldwerte &werte)
{
    ErsetzenErgebnis ergebnis;
    if (text.Laenge() == 0)
        return ergebnis;
    int weiter = 0;
    for (;;) {
        const int auf = text.Suchen(u'<', weiter);
        if (auf < 0) {
            ergebnis.ende = ErsetzenErgebnis::Ende::Fertig;
            return ergebnis;
        }
        const int zu = text.Suchen(u'>', auf);
        if (zu < 0) {
            ergebnis.ende = ErsetzenErgebnis::Ende::OhneAbschluss;
            return ergebnis;
        }
        text.Markieren(auf, zu - auf + 1);
        QString kategorie, feld;
        std::optional<QString> wert;
        if (PlatzhalterZerlegen(text.Markierung(), kategorie, feld))
            wert = kategorie == QLatin1String("Fahrer") ? werte.Fahrer(feld) : werte.Fahrzeug(feld);
        if (wert) {
            text.MarkierungErsetzen(*wert);
            ++ergebnis.ersetzt;
            // Behind the value: what it holds is never read as letter text.
            weiter = auf + int(wert->size());
            if (weiter >= text.Laenge()) {
                ergebnis.ende = ErsetzenErgebnis::Ende::Fertig;
                return ergebnis;
            }
        } else {
            ++ergebnis.fehlerhaft;
            weiter = zu + 1;
            if (weiter >= text.Laenge()) {
                ergebnis.ende = ErsetzenErgebnis::Ende::FehlerAmEnde;
                return ergebnis;
            }
        }
    }
}

QString Zaehlmeldung(const ErsetzenErgebnis &ergebnis)
{
    return QStringLiteral(
               "%1 Variable wurden erfolgreich ersetzt\r%2 fehlerhafte Variable konnten nicht ersetzt "
               "werden")
        .arg(ergebnis.ersetzt)
        .arg(ergebnis.fehlerhaft);
}

} // namespace fleet::brief
