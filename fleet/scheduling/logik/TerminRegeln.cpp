#include "logik/TerminRegeln.h"

#include <cmath>

namespace fleet::termine {

int SchwelleLesen(int wert)
{
    return wert > 0 ? wert : 0;
}

long long KmGanzzahl(double km)
{
    return std::llround(km);
}

bool DatumFaellig(base::TDateTime faellig, base::TDateTime stichtagVon, base::TDateTime stichtagBis,
                  int vorwarnTage)
{
    const double tag = std::floor(faellig) - SchwelleLesen(vorwarnTage);
    return std::floor(stichtagVon) <= tag && tag <= std::floor(stichtagBis);
}

bool KmFaellig(double faelligKm, double kmStand, int vorwarnKm)
{
    return KmGanzzahl(kmStand) >= KmGanzzahl(faelligKm) - SchwelleLesen(vorwarnKm);
}

Zellzustand DatumZustand(base::TDateTime faellig, base::TDateTime stichtagBis, int ueberzogenTage)
{
    const double tag = std::floor(faellig);
    const double bis = std::floor(stichtagBis);
    if (tag > bis)
        return Zellzustand::Vorwarnzeit;
    if (tag < bis - SchwelleLesen(ueberzogenTage))
        return Zellzustand::Warnung;
    return Zellzustand::Normal;
}

Zellzustand KmZustand(double faelligKm, double kmStand, int ueberzogenKm)
{
    const long long k = KmGanzzahl(faelligKm);
    const long long m = KmGanzzahl(kmStand);
    if (m < k)
        return Zellzustand::Vorwarnzeit;
    if (k + SchwelleLesen(ueberzogenKm) < m)
        return Zellzustand::Warnung;
    return Zellzustand::Normal;
}

QString ZustandName(Zellzustand zustand, bool mitInfo)
{
    QString name;
    if (zustand == Zellzustand::Vorwarnzeit)
        name = QStringLiteral("Vorwarnzeit");
    else if (zustand == Zellzustand::Warnung)
        name = QStringLiteral("Warnung");
    if (mitInfo)
        name += QStringLiteral("MitInfo");
    return name;
}

std::optional<QString> SortIndexFuerFeld(const QString &feld, const QString &slot)
{
    if (feld.compare(QLatin1String("Info"), Qt::CaseInsensitive) == 0 ||
        feld.compare(QLatin1String("KfzKmStand"), Qt::CaseInsensitive) == 0)
        return std::nullopt;
    if (feld.compare(QLatin1String("KfzNr"), Qt::CaseInsensitive) == 0)
        return QString();
    return slot;
}

QString TitelOhneMarke(const QString &titel)
{
    return titel.startsWith(QLatin1Char('*')) ? titel.mid(2) : titel;
}

QString TitelMitMarke(const QString &titel)
{
    return titel.startsWith(QLatin1Char('*')) ? titel : QStringLiteral("* ") + titel;
}

bool NotizVeraltet(const std::optional<QString> &gelisteterWert, const QString &notizWert)
{
    return gelisteterWert && !gelisteterWert->isEmpty() && *gelisteterWert != notizWert;
}

bool WerkstattTerminNah(base::TDateTime vereinbart, base::TDateTime heute)
{
    const double tag = std::floor(vereinbart);
    const double t = std::floor(heute);
    return t <= tag && tag <= t + 3;
}

} // namespace fleet::termine
