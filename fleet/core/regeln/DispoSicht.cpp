#include "regeln/DispoSicht.h"

#include <cmath>

#include "base/GermanFormat.h"

namespace fleet {

namespace {

QString datum(base::TDateTime tag)
{
    return base::de::formatDate(std::floor(tag));
}

QString zitiert(base::TDateTime tag)
{
    return QLatin1Char('\'') + datum(tag) + QLatin1Char('\'');
}

// "(DatumVon <=  'tag') and (DatumBis >= 'tag')": the bookings that cover a day.
QString tagFilter(base::TDateTime tag)
{
    return QStringLiteral("(DatumVon <=  ") + zitiert(tag) + QStringLiteral(") and (DatumBis >= ") +
           zitiert(tag) + QLatin1Char(')');
}

} // namespace

std::optional<DispoMonat> DispoMonatAus(const QString &jahr, const QString &monat)
{
    int nummer = 0;
    for (int m = 1; m <= 12 && nummer == 0; ++m)
        if (base::de::monthName(m) == monat)
            nummer = m;
    bool ok = false;
    const int j = jahr.toInt(&ok);
    if (nummer == 0 || !ok || j < 1 || j > 9999)
        return std::nullopt;
    return DispoMonat{base::encodeDate(j, nummer, 1),
                      base::encodeDate(j, nummer, base::daysInMonth(j, nummer))};
}

QString DispoFilterText(const DispoSichtDaten &s)
{
    switch (s.modus) {
    case 1:
        return QStringLiteral("((DatumBis >=  ") + zitiert(s.von) + QStringLiteral(") and (DatumVon <= ") +
               zitiert(s.von) + QStringLiteral("))") + QStringLiteral("or ((DatumBis >=  ") + zitiert(s.bis) +
               QStringLiteral(") and (DatumVon <= ") + zitiert(s.bis) + QStringLiteral("))") +
               QStringLiteral("or ((DatumBis <=  ") + zitiert(s.bis) + QStringLiteral(") and (DatumVon >= ") +
               zitiert(s.von) + QStringLiteral("))");
    case 2: {
        const std::optional<DispoMonat> monat = DispoMonatAus(s.jahr, s.monat);
        if (!monat) // no month: nothing can match
            return QStringLiteral("(DatumVon < '01.01.1900') and (DatumVon > '01.01.1900')");
        return QStringLiteral("(DatumVon <= ") + zitiert(monat->letzterTag) +
               QStringLiteral(") and (DatumBis >= ") + zitiert(monat->ersterTag) + QLatin1Char(')');
    }
    case 3:
        return tagFilter(s.von);
    case 4:
        return tagFilter(s.heute);
    case 5:
        return QStringLiteral("(DatumVon >=  ") + zitiert(s.heute) + QLatin1Char(')');
    default:
        return {};
    }
}

QString DispoSichtBeschriftung(const DispoSichtDaten &s)
{
    const QString anfang = QStringLiteral("Sichtbarer Zeitraum: ");
    switch (s.modus) {
    case 1:
        return anfang + datum(s.von) + QStringLiteral(" bis ") + datum(s.bis);
    case 2:
        return anfang + s.monat + QLatin1Char(' ') + s.jahr;
    case 3:
        return anfang + datum(s.von);
    case 4:
        return anfang + QStringLiteral("Heute (") + datum(s.von) + QLatin1Char(')');
    case 5:
        return anfang + QStringLiteral("ab Heute (") + datum(s.von) + QStringLiteral(" bis ..)");
    default:
        return anfang + QStringLiteral("ohne Einschränkung");
    }
}

DispoAchse DispoAchsenbereich(const DispoSichtDaten &s, double spaetesterBalken)
{
    const auto bereich = [](double min, double max) { return DispoAchse{false, min, max}; };
    switch (s.modus) {
    case 1:
        return bereich(std::floor(s.von), std::floor(s.bis) + 1);
    case 2: {
        const std::optional<DispoMonat> monat = DispoMonatAus(s.jahr, s.monat);
        if (!monat)
            return {};
        return bereich(monat->ersterTag, monat->letzterTag + 1);
    }
    case 3:
        return bereich(std::floor(s.von), std::floor(s.von) + 1);
    case 4:
        return bereich(std::floor(s.heute), std::floor(s.heute) + 1);
    case 5:
        return bereich(std::floor(s.heute), std::max(spaetesterBalken, std::floor(s.heute) + 1));
    default:
        return {};
    }
}

} // namespace fleet
