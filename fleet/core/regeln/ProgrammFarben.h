#pragma once

#include <array>
#include <functional>

#include <QString>
#include <QVariant>

#include "ui/Colors.h"

// The seven program colours of a workstation: the header line of the main
// window and its master-data page. Held in memory for the run, stored per
// workstation in fields of the same name.
namespace fleet {

enum class Farbe {
    KopfzeileFeldSchrift,
    KopfzeileFeldHinterg,
    KopfzeilePanel,
    StammdatenFormular,
    StammdatenSchrift,
    StammdatenFeld,
    StammdatenMarkiert,
};
constexpr int kAnzahlFarben = 7;

using Farbsatz = std::array<ui::TColor, kAnzahlFarben>;

// The working colours, indexed by Farbe.
extern Farbsatz ProgrammFarben;
// The defaults: black, button highlight, silver, button face, window text,
// window, aqua.
extern const Farbsatz StandardFarben;

inline ui::TColor &ProgrammFarbe(Farbe f)
{
    return ProgrammFarben[static_cast<int>(f)];
}

// The stored field of a colour ("FarbeKopfzeilePanel").
QString FarbFeld(Farbe f);

void FarbenStandardSetzen();
bool FarbenSindStandard();

// Reads the seven fields in the stored order (the master-data field before its
// font) and stops silently at the first that fails; colours not read keep
// their values. A blank field gives that colour's default.
void FarbenLaden(const std::function<QVariant(const QString &feld)> &lesen);

} // namespace fleet
