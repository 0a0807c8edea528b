#pragma once

#include <QString>

#include "base/DateTime.h"

namespace fleet {

// Forecast of the odometer reading at lease end: the current reading plus the
// average kilometres per month over the months left. The result text is "n.v."
// when there is nothing to forecast (no start, no duration, no average, lease
// already over) and "Fehler" when the start text is no date. `jetzt` is the
// moment of the forecast (date and time).
void LeasingEndKmStand(const QString &leasingBeginn, int dauerMonate, QString &ergebnis,
                       double schnittKmProMonat, double kmStand, base::TDateTime jetzt);

// The same at the current moment.
void LeasingEndKmStand(const QString &leasingBeginn, int dauerMonate, QString &ergebnis,
                       double schnittKmProMonat, double kmStand);

} // namespace fleet
