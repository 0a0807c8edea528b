#include "regeln/FahrerTourenFilter.h"

#include "base/GermanFormat.h"

#include "daten/FilterLiteral.h"

namespace fleet {

MonatsGrenze MonatsGrenzen(const QString &monatsName, const QString &jahrText)
{
    struct Monat {
        const char *name;
        int nummer;
        int tage;
    };
    static const Monat monate[] = {{"Januar", 1, 31},   {"März", 3, 31},      {"April", 4, 30},
                                   {"Mai", 5, 31},      {"Juni", 6, 30},      {"Juli", 7, 31},
                                   {"August", 8, 31},   {"September", 9, 30}, {"Oktober", 10, 31},
                                   {"November", 11, 30}};
    if (monatsName == QLatin1String("Februar")) {
        // Every fourth year is a leap year here; the year list spans 1990..2030.
        bool ok = false;
        const int jahr = jahrText.toInt(&ok);
        return {QStringLiteral("2"), ok && jahr % 4 == 0 ? QStringLiteral("29") : QStringLiteral("28")};
    }
    for (const Monat &m : monate)
        if (monatsName == QString::fromUtf8(m.name))
            return {QString::number(m.nummer), QString::number(m.tage)};
    return {QStringLiteral("12"), QStringLiteral("31")};
}

QString FahrerTourenFilterBasis(const QString &fahrerName)
{
    return QStringLiteral("(FahrerName =") + FilterLiteral(fahrerName) + QLatin1Char(')');
}

namespace {

QString zeitraum(const QString &von, const QString &bis)
{
    return QStringLiteral(" and ((Datum >= '") + von + QStringLiteral("') and (Datum <= '") + bis +
           QStringLiteral("'))");
}

} // namespace

QString JahresZeitraum(const QString &jahrText)
{
    return zeitraum(QStringLiteral("1.1.") + jahrText, QStringLiteral("31.12.") + jahrText);
}

QString MonatsZeitraum(const QString &monatsName, const QString &jahrText)
{
    const MonatsGrenze g = MonatsGrenzen(monatsName, jahrText);
    return zeitraum(QStringLiteral("1.") + g.monat + QLatin1Char('.') + jahrText,
                    g.letzterTag + QLatin1Char('.') + g.monat + QLatin1Char('.') + jahrText);
}

QString FuehrerscheinFaelligFilter(const QDate &grenze)
{
    const QString limit =
        QLatin1Char('\'') + grenze.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char('\'');
    QString filter;
    for (int zeile = 1; zeile <= 10; ++zeile) {
        const QString feld = QStringLiteral("GueltigBis") + QString::number(zeile);
        if (zeile > 1)
            filter += QStringLiteral(" or ");
        filter += QStringLiteral("((") + feld + QStringLiteral(" <= ") + limit + QStringLiteral(") and (") +
                  feld + QStringLiteral(" > '01.01.1899'))");
    }
    return filter;
}

QString VorwarnzeitText(int gespeicherteTage)
{
    return gespeicherteTage < 0 || gespeicherteTage > 99 ? QStringLiteral("30")
                                                         : QString::number(gespeicherteTage);
}

QString KmSummeText(double km)
{
    return base::de::formatFixed(km, 0);
}

QString ErtragSummeText(double ertrag)
{
    return base::de::formatFixed(ertrag, 2);
}

} // namespace fleet
