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

} // namespace fleet
