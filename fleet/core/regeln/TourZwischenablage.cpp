#include "regeln/TourZwischenablage.h"

namespace fleet {

TTourZwischenablage TourZwischenablage;

bool TourZwischenablagePruefen(int &code)
{
    code = 0;
    if (TourZwischenablage.Datum == 0)
        code += 1;
    if (TourZwischenablage.GefahrenKm == 0)
        code += 2;
    return code == 0;
}

} // namespace fleet
