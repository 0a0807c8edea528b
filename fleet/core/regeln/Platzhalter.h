#pragma once

#include <QString>

namespace fleet {

// Splits a letter placeholder "<" + category + "/" + field + ">". Without a "/"
// both parts are empty and the result is false; otherwise the result says
// whether the category is one the letters fill ("Fahrer" or "Fahrzeug").
bool PlatzhalterZerlegen(const QString &platzhalter, QString &kategorie, QString &feld);

} // namespace fleet
