#include "regeln/LeasingPrognose.h"

#include <QDateTime>

#include "base/GermanFormat.h"

namespace fleet {

void LeasingEndKmStand(const QString &leasingBeginn, int dauerMonate, QString &ergebnis,
                       double schnittKmProMonat, double kmStand, base::TDateTime jetzt)
{
    ergebnis = QStringLiteral("n.v.");
    if (leasingBeginn.isEmpty() || dauerMonate <= 0 || schnittKmProMonat == 0)
        return;
    const std::optional<base::TDateTime> beginn = base::de::parseDateTime(leasingBeginn);
    if (!beginn) {
        ergebnis = QStringLiteral("Fehler");
        return;
    }
    const base::TDateTime ende = base::incMonth(*beginn, dauerMonate);
    if (jetzt > ende)
        return;
    // Months left with one decimal, as the forecast has always counted them.
    const std::optional<double> restMonate =
        base::de::parseFloat(base::de::formatFixed((ende - jetzt) / 30.5, 1));
    if (!restMonate) {
        ergebnis = QStringLiteral("Fehler");
        return;
    }
    ergebnis = base::de::formatFixed(kmStand + schnittKmProMonat * *restMonate, 0);
}

void LeasingEndKmStand(const QString &leasingBeginn, int dauerMonate, QString &ergebnis,
                       double schnittKmProMonat, double kmStand)
{
    LeasingEndKmStand(leasingBeginn, dauerMonate, ergebnis, schnittKmProMonat, kmStand,
                      base::fromQDateTime(QDateTime::currentDateTime()));
}

} // namespace fleet
