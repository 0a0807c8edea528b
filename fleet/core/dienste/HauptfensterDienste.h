#pragma once

#include <QString>

#include "dienste/Dienst.h"

namespace fleet {

// The stored grid column order per TabKz ("Main", "Touren", "Varkost",
// "Dispo", "Histo", "Schaden"); false while the scratch table is lent. The
// main window keeps it in FeldPos.db unless another keeper is in force.
class Spaltenordnung {
public:
    virtual ~Spaltenordnung() = default;
    virtual bool FeldPositionenLaden(const QString &tabKz) = 0;
    virtual bool FeldPositionenSpeichern(const QString &tabKz) = 0;
};

// The computation behind the dispatch page that the page change runs.
class Seitendienste {
public:
    virtual ~Seitendienste() = default;
    // Computes DispoAuslastungText.
    virtual void DispoAuslastungBerechnen() = 0;
};

// The dispatch utilisation in per cent as text ("n.v." until computed).
extern QString DispoAuslastungText;

} // namespace fleet
