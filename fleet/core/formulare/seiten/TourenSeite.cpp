#include "formulare/seiten/TourenSeite.h"

#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "formulare/seiten/Bausteine.h"
#include "ui/DBGrid.h"
#include "ui/Messages.h"

namespace fleet {

TourenSeite::TourenSeite(ui::TabSheet *tab)
    : RasterSeite(tab, "TDBGridTouren", DataModule1->DataSrcTouren, QStringLiteral("Touren"))
{
}

void TourenSeite::betreten()
{
    seiten::SpaltenordnungEinmalLaden(TabKz());
    if (!TourenModus)
        ui::messages().warning(QStringLiteral(
            "Eingaben in die Tourentabelle werden zur Zeit nicht zur Kilometerberechnung in der "
            "Monatsauswertung "
            "benutzt.\rÄndern Sie hierzu erst wieder im Einstellungen-Formular (Menü Optionen -> "
            "Einstellungen) "
            "auf der Seite \"Allgemeine Vorgaben\" das Schaltfeld \"Mon. Km-Berechnung anhand\" auf "
            "\"Touren\".\rStarten Sie bitte anschließend das Programm neu ! !"));
    Raster()->setFocus();
}

} // namespace fleet
