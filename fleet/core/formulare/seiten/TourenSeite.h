#pragma once

#include "formulare/seiten/RasterSeite.h"

namespace fleet {

// The vehicle's tours.
class TourenSeite : public RasterSeite {
public:
    explicit TourenSeite(ui::TabSheet *tab);
    // Warns when the tours do not feed the monthly kilometres.
    void betreten() override;
};

} // namespace fleet
