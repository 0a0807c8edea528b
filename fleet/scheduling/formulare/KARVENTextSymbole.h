#pragma once

#include <QIcon>

// The letter editor's toolbar pictures, drawn rather than shipped.
namespace fleet::briefsymbole {

enum class Symbol {
    Oeffnen,
    Speichern,
    Drucken,
    Zurueck,
    Ausschneiden,
    Kopieren,
    Einfuegen,
    Links,
    Mitte,
    Rechts,
    Aufzaehlung
};

QIcon symbol(Symbol welches);
// A letter in the given style ("F" bold, "K" italic, "U" underlined).
QIcon buchstabe(const QString &text, bool fett, bool kursiv, bool unterstrichen);

} // namespace fleet::briefsymbole
