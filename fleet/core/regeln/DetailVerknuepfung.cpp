#include "regeln/DetailVerknuepfung.h"

#include <array>

#include "base/GermanFormat.h"
#include "daten/FilterLiteral.h"
#include "dbe/DataSet.h"
#include "dbe/Field.h"

namespace fleet {

Dateiart DateiartVon(const QString &pfad)
{
    const QString art = pfad.right(3).toUpper();
    if (art == QLatin1String("JPG"))
        return Dateiart::Bild;
    if (art == QLatin1String("PDF"))
        return Dateiart::Dokument;
    return Dateiart::Andere;
}

QString VerknuepfungErsetzenFrage(VerknuepfungsSeite seite, const QString &alterLink)
{
    if (seite == VerknuepfungsSeite::Schaden)
        return QStringLiteral("Dem markierten Schadensdatensatz ist bereits ein Bild/Dokument zugeordnet - "
                              "möchten Sie das Bild/Dokument wirklich ersetzten");
    switch (DateiartVon(alterLink)) {
    case Dateiart::Bild:
        return QStringLiteral("Dem markierten Historiendatensatz ist bereits ein Bild zugeordnet - möchten "
                              "Sie das Bild wirklich ersetzten");
    case Dateiart::Dokument:
        return QStringLiteral("Dem markierten Historiendatensatz ist bereits ein Dokument zugeordnet - "
                              "möchten Sie das Dokument wirklich ersetzten");
    case Dateiart::Andere:
        break;
    }
    return QStringLiteral("Dem markierten Historiendatensatz ist bereits ein Text zugeordnet - möchten Sie "
                          "den Text wirklich ersetzten");
}

std::optional<QString> SchadenFilterText(const QString &bearbeitungsnummer)
{
    if (bearbeitungsnummer.isEmpty())
        return std::nullopt;
    return QStringLiteral("Bearbeitungsnummer = ") + FilterLiteral(bearbeitungsnummer);
}

double KostenSummeFuerHistorie(const dbe::TDataSet &kosten)
{
    static const std::array<QString, 10> betraege{
        QStringLiteral("Benzin/Preis"),    QStringLiteral("ReparaturKosten"),
        QStringLiteral("WartungKosten"),   QStringLiteral("UntersuchungKosten"),
        QStringLiteral("ReifenKosten"),    QStringLiteral("SonstigeKosten"),
        QStringLiteral("Sonstige2Kosten"), QStringLiteral("Sonstige3Kosten"),
        QStringLiteral("Sonstige4Kosten"), QStringLiteral("PflegeKosten")};
    double summe = 0;
    for (const QString &feld : betraege)
        summe += kosten.FieldByName(feld)->AsFloat();
    // Formatted with two decimals and read back, so the history holds exactly
    // what the user would see.
    return base::de::parseFloat(base::de::formatFixed(summe, 2)).value_or(0.0);
}

} // namespace fleet
