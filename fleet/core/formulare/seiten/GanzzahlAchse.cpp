#include "formulare/seiten/GanzzahlAchse.h"

#include <algorithm>
#include <cmath>

#include <QValueAxis>

namespace fleet {

void GanzzahligTeilen(QValueAxis &achse)
{
    achse.applyNiceNumbers();
    const double spanne = achse.max() - achse.min();
    if (!std::isfinite(spanne) || spanne >= achse.tickCount() - 1)
        return;
    // Steps under one: the ends go to whole numbers, one mark per number.
    const double unten = std::floor(achse.min());
    const double oben = std::max(std::ceil(achse.max()), unten + 1);
    achse.setRange(unten, oben);
    achse.setTickCount(static_cast<int>(oben - unten) + 1);
}

} // namespace fleet
