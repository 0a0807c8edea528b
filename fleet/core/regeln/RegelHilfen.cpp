#include "regeln/RegelHilfen.h"

#include "dbe/Errors.h"
#include "dienste/DetailFensterZugriff.h"
#include "regeln/FeldPositionen.h"
#include "ui/DBGrid.h"

namespace fleet {

void SpalteZeigen(const QString &grid, const QString &feld)
{
    DetailFensterZugriff *fenster = Detailfenster();
    ui::DBGrid *g = fenster ? fenster->Grid(grid) : nullptr;
    if (!g)
        return;
    g->setFocus();
    GridSpalteWaehlen(*g, feld);
}

bool IstSchluesselverletzung(const dbe::EDatabaseError &fehler)
{
    const auto *engine = dynamic_cast<const dbe::EDBEngineError *>(&fehler);
    if (!engine)
        return false;
    for (int i = 0; i < engine->ErrorCount(); ++i) {
        if (engine->Errors(i).ErrorCode == dbe::ErrorCode::KeyViolation)
            return true;
    }
    return false;
}

} // namespace fleet
